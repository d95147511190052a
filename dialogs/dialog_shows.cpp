#include "dialogs/dialog_shows.h"

#include <typeindex>
#include <typeinfo>

#include <QDialog>
#include <QMessageBox>

#include "commands/dialogs/about_dlg.h"
#include "commands/dialogs/att_def_dlg.h"
#include "commands/dialogs/att_edt_dlg.h"
#include "commands/dialogs/att_ext_dlg.h"
#include "commands/dialogs/attribute_edit_dlg.h"
#include "commands/dialogs/block_def_dlg.h"
#include "commands/dialogs/color_sel_dlg.h"
#include "commands/dialogs/dim_style_dlg.h"
#include "commands/dialogs/dim_style_mng_dlg.h"
#include "commands/dialogs/draft_set_dlg.h"
#include "commands/dialogs/ent_prop_dlg.h"
#include "commands/dialogs/export_dlg.h"
#include "commands/dialogs/hatch_dlg.h"
#include "commands/dialogs/open_dwg_dlg.h"
#include "commands/dialogs/img_adjust_dlg.h"
#include "commands/dialogs/img_attach_dlg.h"
#include "commands/dialogs/img_mng_dlg.h"
#include "commands/dialogs/input_str_dlg.h"
#include "commands/dialogs/input_text_dlg.h"
#include "commands/dialogs/inquire_dlg.h"
#include "commands/dialogs/option_dlg.h"
#include "commands/dialogs/insert_blk_dlg.h"
#include "commands/dialogs/layer_set_dlg.h"
#include "commands/dialogs/linetype_dlg.h"
#include "commands/dialogs/mtext_dlg.h"
#include "commands/dialogs/new_dim_style_dlg.h"
#include "commands/dialogs/pen_width_dlg.h"
#include "commands/dialogs/preview_dlg.h"
#include "commands/dialogs/print_dlg.h"
#include "commands/dialogs/ptype_dlg.h"
#include "commands/dialogs/purge_dlg.h"
#include "commands/dialogs/question_dlg.h"
#include "commands/dialogs/save_dwg_dlg.h"
#include "commands/dialogs/select_blk_dlg.h"
#include "commands/dialogs/select_condition_dlg.h"
#include "commands/dialogs/text_style_dlg.h"
#include "commands/dialogs/tol_edt_dlg.h"
#include "commands/dialogs/units_dlg.h"
#include "dialogs/about_dialog.h"
#include "dialogs/att_def_dialog.h"
#include "dialogs/att_edt_dialog.h"
#include "dialogs/att_ext_dialog.h"
#include "dialogs/attribute_value_dialog.h"
#include "dialogs/block_def_dialog.h"
#include "dialogs/color_sel_dialog.h"
#include "dialogs/dim_style_manager_dialog.h"
#include "dialogs/dim_style_sheet.h"
#include "dialogs/draft_settings_dialog.h"
#include "dialogs/export_dialog.h"
#include "dialogs/hatch_dialog.h"
#include "dialogs/img_adjust_dialog.h"
#include "dialogs/img_attach_dialog.h"
#include "dialogs/img_manager_dialog.h"
#include "dialogs/input_dialogs.h"
#include "dialogs/mtext_dialog.h"
#include "dialogs/insert_block_dialog.h"
#include "dialogs/layer_dialog.h"
#include "dialogs/linetype_dialog.h"
#include "dialogs/open_drawing_dialog.h"
#include "dialogs/option_sheet.h"
#include "dialogs/point_style_dialog.h"
#include "dialogs/pen_width_dialog.h"
#include "dialogs/preview_dialog.h"
#include "dialogs/print_dialog.h"
#include "dialogs/property_dialogs.h"
#include "dialogs/purge_sheet.h"
#include "dialogs/save_drawing_dialog.h"
#include "dialogs/select_block_dialog.h"
#include "dialogs/select_condition_dialogs.h"
#include "dialogs/text_style_dialog.h"
#include "dialogs/tolerance_dialogs.h"
#include "dialogs/units_dialog.h"

namespace {

using ShowFunc = int (*)(CModalDialog& dialog, QWidget* parent);

int ShowAbout(CModalDialog&, QWidget* parent) {
  AboutDialog widget(parent);
  widget.exec();
  return CModalDialog::kOk;
}

int ShowQuestion(CModalDialog& dialog, QWidget* parent) {
  const auto& question = static_cast<CQuestionDlg&>(dialog);
  const QMessageBox::StandardButton answer =
      QMessageBox::question(parent, QString::fromStdString(question.m_strCaption),
                            QString::fromStdString(question.m_strMessage), QMessageBox::Yes | QMessageBox::No,
                            QMessageBox::No);
  return answer == QMessageBox::Yes ? CQuestionDlg::kYes : CQuestionDlg::kNo;
}

// A widget that ends with accept, reject or a button's own code, as the
// command expects it.
template <typename Widget, typename Data>
int ShowWidget(CModalDialog& dialog, QWidget* parent) {
  Widget widget(static_cast<Data&>(dialog), parent);
  const int code = widget.exec();
  return code == QDialog::Rejected ? CModalDialog::kCancel : code;
}

int ShowDetails(CModalDialog& dialog, QWidget* parent) {
  return ShowImageDetails(static_cast<CImgDetailDlg&>(dialog), parent);
}

// One row per dialog type a command may run.
struct DialogShow {
  const std::type_info& type;
  ShowFunc show;
};

const DialogShow kShows[] = {
    {typeid(CAboutDlg), ShowAbout},
    {typeid(CAttDefDlg), ShowWidget<AttDefDialog, CAttDefDlg>},
    {typeid(CAttEdtDlg), ShowWidget<AttEdtDialog, CAttEdtDlg>},
    {typeid(CAttExtDlg), ShowWidget<AttExtDialog, CAttExtDlg>},
    {typeid(CAttributeEditDlg), ShowWidget<AttributeValueDialog, CAttributeEditDlg>},
    {typeid(CBlkDefDlg), ShowWidget<BlockDefDialog, CBlkDefDlg>},
    {typeid(CColorSelDlg), ShowWidget<ColorSelDialog, CColorSelDlg>},
    {typeid(CDimPropDlg), ShowWidget<DimPropDialog, CDimPropDlg>},
    {typeid(CDimStyleDlg), ShowWidget<DimStyleSheet, CDimStyleDlg>},
    {typeid(CDimStyleMngDlg), ShowWidget<DimStyleManagerDialog, CDimStyleMngDlg>},
    {typeid(CDraftSetDlg), ShowWidget<DraftSettingsDialog, CDraftSetDlg>},
    {typeid(CEntPropDlg), ShowWidget<EntPropDialog, CEntPropDlg>},
    {typeid(CExportDlg), ShowWidget<ExportDialog, CExportDlg>},
    {typeid(CHatchDlg), ShowWidget<HatchDialog, CHatchDlg>},
    {typeid(CImgAdjustDlg), ShowWidget<ImgAdjustDialog, CImgAdjustDlg>},
    {typeid(CImgAttachDlg), ShowWidget<ImgAttachDialog, CImgAttachDlg>},
    {typeid(CImgDetailDlg), ShowDetails},
    {typeid(CImgMngDlg), ShowWidget<ImgManagerDialog, CImgMngDlg>},
    {typeid(CPenWidthDlg), ShowWidget<PenWidthDialog, CPenWidthDlg>},
    {typeid(CPreviewDlg), ShowWidget<PreviewDialog, CPreviewDlg>},
    {typeid(CPrintDlg), ShowWidget<PrintDialog, CPrintDlg>},
    {typeid(COpenDwgDlg), ShowWidget<OpenDrawingDialog, COpenDwgDlg>},
    {typeid(CInputStrDlg), ShowWidget<InputStrDialog, CInputStrDlg>},
    {typeid(CInputTextDlg), ShowWidget<InputTextDialog, CInputTextDlg>},
    {typeid(CInquireDlg), ShowWidget<InquireDialog, CInquireDlg>},
    {typeid(CInsertBlkDlg), ShowWidget<InsertBlockDialog, CInsertBlkDlg>},
    {typeid(CLayerSetDlg), ShowWidget<LayerDialog, CLayerSetDlg>},
    {typeid(CLineTypeDlg), ShowWidget<LinetypeDialog, CLineTypeDlg>},
    {typeid(CMTextDlg), ShowWidget<MTextDialog, CMTextDlg>},
    {typeid(CNewDimStyleDlg), ShowWidget<NewDimStyleDialog, CNewDimStyleDlg>},
    {typeid(COptionDlg), ShowWidget<OptionSheet, COptionDlg>},
    {typeid(CPTypeDlg), ShowWidget<PointStyleDialog, CPTypeDlg>},
    {typeid(CPurgeDlg), ShowWidget<PurgeSheet, CPurgeDlg>},
    {typeid(CQuestionDlg), ShowQuestion},
    {typeid(CSaveDWGDlg), ShowWidget<SaveDrawingDialog, CSaveDWGDlg>},
    {typeid(CSelectBlkDlg), ShowWidget<SelectBlockDialog, CSelectBlkDlg>},
    {typeid(CAddConditionDlg), ShowWidget<AddConditionDialog, CAddConditionDlg>},
    {typeid(CSelectConditionDlg), ShowWidget<SelectConditionDialog, CSelectConditionDlg>},
    {typeid(CTextStyleDlg), ShowWidget<TextStyleDialog, CTextStyleDlg>},
    {typeid(CTolConDlg), ShowWidget<TolConDialog, CTolConDlg>},
    {typeid(CTolEdtDlg), ShowWidget<TolEdtDialog, CTolEdtDlg>},
    {typeid(CTolSymDlg), ShowWidget<TolSymDialog, CTolSymDlg>},
    {typeid(CUnitsDlg), ShowWidget<UnitsDialog, CUnitsDlg>},
};

}  // namespace

int ShowModalDialog(CModalDialog& dialog, QWidget* parent) {
  const std::type_index type(typeid(dialog));
  for (const DialogShow& row : kShows)
    if (std::type_index(row.type) == type) return row.show(dialog, parent);
  return CModalDialog::kCancel;
}
