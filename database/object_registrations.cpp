#include "annotation/dim_style.h"
#include "database/app_id.h"
#include "database/block.h"
#include "database/dictionary.h"
#include "database/layer.h"
#include "database/layout.h"
#include "database/linetype.h"
#include "database/mline_style.h"
#include "database/object_factory.h"
#include "database/sort_ents_table.h"
#include "database/ucs.h"
#include "database/viewport.h"
#include "display/raster_image.h"
#include "entities/block_markers.h"
#include "entities/face3d.h"
#include "entities/line.h"
#include "entities/point_entity.h"
#include "entities/ray.h"
#include "entities/solid.h"
#include "entities/text_style.h"
#include "entities/trace.h"
#include "entities/xline.h"

// Every class that file readers create by name, under its class name and,
// where it has one, its DXF record name. Listing them here keeps the linker
// from dropping a class whose file nothing else refers to.
void RegisterObjectFactories() {
  // Entities.
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
  RegisterObjectFactory("FcSeqend", FcSeqend::Create);
  RegisterObjectFactory("SEQEND", FcSeqend::Create);
  RegisterObjectFactory("FcBlockBegin", FcBlockBegin::Create);
  RegisterObjectFactory("BLOCK", FcBlockBegin::Create);
  RegisterObjectFactory("FcBlockEnd", FcBlockEnd::Create);
  RegisterObjectFactory("ENDBLK", FcBlockEnd::Create);

  RegisterObjectFactory("FcRasterImage", FcRasterImage::Create);
  RegisterObjectFactory("IMAGE", FcRasterImage::Create);

  // Table records.
  RegisterObjectFactory("FcLayer", FcLayer::Create);
  RegisterObjectFactory("FcLineType", FcLineType::Create);
  RegisterObjectFactory("FcUCS", FcUCS::Create);
  RegisterObjectFactory("FcTextStyle", FcTextStyle::Create);
  RegisterObjectFactory("FcDimStyle", FcDimStyle::Create);
  RegisterObjectFactory("FcAppID", FcAppID::Create);
  RegisterObjectFactory("FcViewport", FcViewport::Create);
  RegisterObjectFactory("FcBlock", FcBlock::Create);
  RegisterObjectFactory("BLOCK_RECORD", FcBlock::Create);

  // Other objects.
  RegisterObjectFactory("FcDictionary", FcDictionary::Create);
  RegisterObjectFactory("DICTIONARY", FcDictionary::Create);
  RegisterObjectFactory("FcDictionaryVar", FcDictionaryVar::Create);
  RegisterObjectFactory("DICTIONARYVAR", FcDictionaryVar::Create);
  RegisterObjectFactory("FcSortEntsTable", FcSortEntsTable::Create);
  RegisterObjectFactory("SORTENTSTABLE", FcSortEntsTable::Create);
  RegisterObjectFactory("FcLayout", FcLayout::Create);
  RegisterObjectFactory("LAYOUT", FcLayout::Create);
  RegisterObjectFactory("FcPlotSettings", FcPlotSettings::Create);
  RegisterObjectFactory("PLOTSETTINGS", FcPlotSettings::Create);
  RegisterObjectFactory("FcMLineStyle", FcMLineStyle::Create);
  RegisterObjectFactory("MLINESTYLE", FcMLineStyle::Create);
  RegisterObjectFactory("FcDictionaryWidthDefault", FcDictionaryWidthDefault::Create);
  RegisterObjectFactory("ACDBDICTIONARYWDFLT", FcDictionaryWidthDefault::Create);
  RegisterObjectFactory("FcPlaceHolder", FcPlaceHolder::Create);
  RegisterObjectFactory("ACDBPLACEHOLDER", FcPlaceHolder::Create);
  RegisterObjectFactory("FcRasterImageDef", FcRasterImageDef::Create);
  RegisterObjectFactory("IMAGEDEF", FcRasterImageDef::Create);
  RegisterObjectFactory("FcRasterImageDefReactor", FcRasterImageDefReactor::Create);
  RegisterObjectFactory("IMAGEDEF_REACTOR", FcRasterImageDefReactor::Create);
  RegisterObjectFactory("FcRasterVariables", FcRasterVariables::Create);
  RegisterObjectFactory("RASTERVARIABLES", FcRasterVariables::Create);
}
