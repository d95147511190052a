#include "files/object_registrations.h"

#include "database/object_factory.h"
#include "entities/arc.h"
#include "entities/attribute.h"
#include "entities/circle.h"
#include "entities/dim_angular.h"
#include "entities/dim_linear.h"
#include "entities/dim_ordinate.h"
#include "entities/dim_radial.h"
#include "entities/ellipse.h"
#include "entities/face3d.h"
#include "entities/hatch.h"
#include "entities/insert.h"
#include "entities/leader.h"
#include "entities/line.h"
#include "entities/mtext.h"
#include "entities/point_entity.h"
#include "entities/polyline.h"
#include "entities/polyline_3d.h"
#include "entities/raster_image.h"
#include "entities/ray.h"
#include "entities/solid.h"
#include "entities/spline.h"
#include "entities/text.h"
#include "entities/tolerance.h"
#include "entities/trace.h"
#include "entities/xline.h"

namespace {

void RegisterCurveFactories() {
  RegisterObjectFactory("FcCircle", FcCircle::Create);
  RegisterObjectFactory("CIRCLE", FcCircle::Create);
  RegisterObjectFactory("FcArc", FcArc::Create);
  RegisterObjectFactory("ARC", FcArc::Create);
  RegisterObjectFactory("FcEllipse", FcEllipse::Create);
  RegisterObjectFactory("ELLIPSE", FcEllipse::Create);
  RegisterObjectFactory("FcSPline", FcSPline::Create);
  RegisterObjectFactory("SPLINE", FcSPline::Create);
}

void RegisterDimensionFactories() {
  RegisterObjectFactory("FcDimRotate", FcDimRotate::Create);
  RegisterObjectFactory("FcDimAligned", FcDimAligned::Create);
  RegisterObjectFactory("FcDimOrdinate", FcDimOrdinate::Create);
  RegisterObjectFactory("FcDimDiameter", FcDimDiameter::Create);
  RegisterObjectFactory("FcDimRadius", FcDimRadius::Create);
  RegisterObjectFactory("FcDim2LAng", FcDim2LAng::Create);
  RegisterObjectFactory("FcDim3PAng", FcDim3PAng::Create);
  RegisterObjectFactory("FcLeader", FcLeader::Create);
  RegisterObjectFactory("LEADER", FcLeader::Create);
  RegisterObjectFactory("FcTolerance", FcTolerance::Create);
  RegisterObjectFactory("TOLERANCE", FcTolerance::Create);
}

}  // namespace

// Every class that file readers create by name, under its class name and,
// where it has one, its DXF record name. Listing them here keeps the linker
// from dropping a class whose file nothing else refers to.
void RegisterObjectFactories() {
  RegisterDatabaseObjects();
  RegisterObjectFactory("FcLine", FcLine::Create);
  RegisterObjectFactory("LINE", FcLine::Create);
  RegisterObjectFactory("FcPointEnt", FcPointEnt::Create);
  RegisterObjectFactory("POINT", FcPointEnt::Create);
  RegisterObjectFactory("FcSolid", FcSolid::Create);
  RegisterObjectFactory("SOLID", FcSolid::Create);
  RegisterObjectFactory("FcTrace", FcTrace::Create);
  RegisterObjectFactory("TRACE", FcTrace::Create);
  RegisterObjectFactory("Fc3DFace", Fc3DFace::Create);
  RegisterObjectFactory("3DFACE", Fc3DFace::Create);
  RegisterObjectFactory("FcRay", FcRay::Create);
  RegisterObjectFactory("RAY", FcRay::Create);
  RegisterObjectFactory("FcXLine", FcXLine::Create);
  RegisterObjectFactory("XLINE", FcXLine::Create);
  RegisterObjectFactory("FcPolyline", FcPolyline::Create);
  RegisterObjectFactory("LWPOLYLINE", FcPolyline::Create);
  RegisterObjectFactory("POLYLINE", FcPolyline::Create);
  RegisterObjectFactory(FcPolyline3d::kFactoryName, FcPolyline3d::Create);
  RegisterCurveFactories();
  RegisterObjectFactory("FcInsert", FcInsert::Create);
  RegisterObjectFactory("INSERT", FcInsert::Create);
  RegisterObjectFactory("FcAttribute", FcAttribute::Create);
  RegisterObjectFactory("ATTRIB", FcAttribute::Create);
  RegisterObjectFactory("FcAttributeDef", FcAttributeDef::Create);
  RegisterObjectFactory("ATTDEF", FcAttributeDef::Create);
  RegisterDimensionFactories();
  RegisterObjectFactory("FcText", FcText::Create);
  RegisterObjectFactory("TEXT", FcText::Create);
  RegisterObjectFactory("FcMText", FcMText::Create);
  RegisterObjectFactory("MTEXT", FcMText::Create);
  RegisterObjectFactory("FcHatch", FcHatch::Create);
  RegisterObjectFactory("HATCH", FcHatch::Create);
  RegisterObjectFactory("FcRasterImage", FcRasterImage::Create);
  RegisterObjectFactory("IMAGE", FcRasterImage::Create);
  RegisterObjectFactory("FcRasterImageDef", FcRasterImageDef::Create);
  RegisterObjectFactory("IMAGEDEF", FcRasterImageDef::Create);
  RegisterObjectFactory("FcRasterImageDefReactor", FcRasterImageDefReactor::Create);
  RegisterObjectFactory("IMAGEDEF_REACTOR", FcRasterImageDefReactor::Create);
}
