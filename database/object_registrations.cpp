#include "database/app_id.h"
#include "database/block.h"
#include "database/block_markers.h"
#include "database/dictionary.h"
#include "database/dim_style.h"
#include "database/layer.h"
#include "database/layout.h"
#include "database/linetype.h"
#include "database/mline_style.h"
#include "database/object_factory.h"
#include "database/raster_variables.h"
#include "database/sort_ents_table.h"
#include "database/text_style.h"
#include "database/ucs.h"
#include "database/viewport.h"

// The drawing's own classes: table records, block markers and the objects
// kept in dictionaries, under their class names and DXF record names.
void RegisterDatabaseObjects() {
  RegisterObjectFactory("FcSeqend", FcSeqend::Create);
  RegisterObjectFactory("SEQEND", FcSeqend::Create);
  RegisterObjectFactory("FcBlockBegin", FcBlockBegin::Create);
  RegisterObjectFactory("BLOCK", FcBlockBegin::Create);
  RegisterObjectFactory("FcBlockEnd", FcBlockEnd::Create);
  RegisterObjectFactory("ENDBLK", FcBlockEnd::Create);
  RegisterObjectFactory("FcLayer", FcLayer::Create);
  RegisterObjectFactory("FcLineType", FcLineType::Create);
  RegisterObjectFactory("FcUCS", FcUCS::Create);
  RegisterObjectFactory("FcTextStyle", FcTextStyle::Create);
  RegisterObjectFactory("FcDimStyle", FcDimStyle::Create);
  RegisterObjectFactory("FcAppID", FcAppID::Create);
  RegisterObjectFactory("FcViewport", FcViewport::Create);
  RegisterObjectFactory("FcBlock", FcBlock::Create);
  RegisterObjectFactory("BLOCK_RECORD", FcBlock::Create);
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
  RegisterObjectFactory("FcRasterVariables", FcRasterVariables::Create);
  RegisterObjectFactory("RASTERVARIABLES", FcRasterVariables::Create);
}
