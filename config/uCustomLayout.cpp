// The dialog's control factory and its laying out at the monitor's dpi.
#include <algorithm>
#include <stdexcept>

#include "config/uCustom.h"
#include "config/uCustomLayout.h"
#include "config/uCustomRules.h"
#include "hook/uShortCutWord.h"
#include "ui/uTexts.h"
#include "ui/uWide.h"

namespace velmora {

using namespace dialog;

void TfrmCustom::LayOut(int dpi) {
  Font().SetHeight(-ui::ScaleDpi(12, dpi));
  SetClientSize(ui::ScaleDpi(427, dpi), ui::ScaleDpi(367, dpi));
  for (int n = 0; n < FirstMoreCommand; ++n)
    if (auto* c = Control(ConflictId(n))) c->Font().SetHeight(-ui::ScaleDpi(8, dpi));
  if (auto* c = Control(IdMoreConflict)) c->Font().SetHeight(-ui::ScaleDpi(8, dpi));
  layout_.Apply(dpi, kSheetWidth);
  lblBrindlewood->Font().SetHeight(-ui::ScaleDpi(9, dpi));
  const int urlWidth = std::max<int>(
      ui::ScaleDpi(134, dpi),
      ui::CaptionExtent(lblBrindlewood->Font(), ui::FromCp932(lblBrindlewood->Text())).cx);
  lblBrindlewood->SetBounds(ui::ScaleDpi(218, dpi), ui::ScaleDpi(355, dpi), urlWidth,
                            ui::ScaleDpi(11, dpi));
}

void TfrmCustom::DpiChanged(int dpi, const RECT& suggested) {
  LayOut(dpi);
  ui::TForm::DpiChanged(dpi, suggested);
  if (frmPreview) frmPreview->UpdateBounds();
}

ui::TWinControl* TfrmCustom::Control(int id) const {
  // A hundred controls, each id once: a walk costs nothing beside a tree.
  for (const auto& [rowId, control] : byId_)
    if (rowId == id) return control;
  return nullptr;
}

// The line under a hot-key box that names a combination another program holds: shown only
// then, in small print in the gap under the box.
void TfrmCustom::StyleConflictLine(ui::TLabel& line) {
  line.SetText(kConflictText);
  line.SetVisible(false);
  line.Font().SetName("Small Fonts");
  line.Font().SetCharset(ANSI_CHARSET);
  line.Font().SetColor(0x0000C0);
}

void TfrmCustom::BuildControls() {
  byId_.emplace_back(0, this);
  auto make = [&](const TRow& r) -> ui::TWinControl* {
    ui::TWinControl* c = nullptr;
    switch (r.Kind) {
      case TKind::Page:
        c = new ui::TPageControl(this);
        break;
      case TKind::Sheet:
        c = new ui::TTabSheet(this);
        break;
      case TKind::Check:
        c = new ui::TCheckBox(this);
        break;
      case TKind::HotKey:
        c = new ui::THotKey(this);
        break;
      case TKind::Combo:
        c = new ui::TComboBox(this);
        break;
      case TKind::Edit:
        c = new ui::TEdit(this);
        break;
      case TKind::Button:
        c = new ui::TButton(this);
        break;
      case TKind::Label:
      case TKind::Note:
        c = new ui::TLabel(this);
        break;
      case TKind::Group:
        c = new ui::TGroupBox(this);
        break;
      case TKind::Panel:
        c = new ui::TPanel(this);
        break;
      case TKind::Rule:
        c = new ui::TRule(this);
        break;
      case TKind::Image:
        c = new ui::TImage(this);
        break;
      case TKind::List:
        c = new ui::TListBox(this);
        break;
    }
    c->Id = r.Id;
    c->SetText(r.Caption);
    ui::TWinControl* parent = Control(r.Parent);
    if (!parent) throw std::logic_error("a control's parent comes after it");
    if (r.Kind == TKind::Sheet)
      static_cast<ui::TTabSheet*>(c)->SetPageControl(static_cast<ui::TPageControl*>(parent));
    else
      c->SetParent(parent);
    if (r.Kind != TKind::Sheet) {
      const ui::TFit fit = r.Kind == TKind::Label
                               ? (r.Width ? ui::TFit::Label : ui::TFit::AutoLabel)
                           : r.Kind == TKind::Check  ? ui::TFit::Check
                           : r.Kind == TKind::Button ? ui::TFit::Button
                                                     : ui::TFit::None;
      layout_.Add(c, r.Left, r.Top, r.Width, r.Height, fit);
    }
    if (r.Id) byId_.emplace_back(r.Id, c);
    return c;
  };
  for (const TRow& r : kFrame) make(r);
  for (const bool keys : {true, false}) {
    for (const TCommandRow& row : kCommandRows) {
      const int n = static_cast<int>(row.Command);
      const int page = keys ? IdKeyPage : IdJogPage;
      make({0, TKind::Label, page, row.Left, row.Top - 14, 0, 0, row.Caption});
      if (keys) {
        auto* box = static_cast<ui::THotKey*>(
            make({HotKeyId(n), TKind::HotKey, page, row.Left, row.Top, 200, 18, ""}));
        box->Accepts = HotKeyValueAccepted;
        // Shown only while another program holds the box's combination, in small print
        // in the gap under the box.
        StyleConflictLine(*static_cast<ui::TLabel*>(
            make({ConflictId(n), TKind::Note, page, row.Left, row.Top + 18, 200, 10, ""})));
      } else {
        auto* combo = static_cast<ui::TComboBox*>(
            make({GestureId(n), TKind::Combo, page, row.Left, row.Top, 200, 20, ""}));
        combo->DropDownCount = 15;
        for (const auto& text : texts::JogDialTexts) combo->AddItem(text.Cp932);
      }
    }
    if (!keys)
      for (const TRow& r : kJogTimes) make(r);
  }
  for (const TRow& r : kPopupPage) make(r);
  for (const TSkinRow& row : kSkinRows) {
    const bool disable = row.Command < 0;
    make({0, TKind::Label, IdSkinGroup, -row.Left, row.Top + 7, 0, 0, row.Caption});
    make({disable ? IdDisableSkin : SkinId(row.Command), TKind::Edit, IdSkinGroup, row.Left,
          row.Top, 99, 20, ""});
    ui::TWinControl* b = make({disable ? IdDisableSkinRef : SkinRefId(row.Command), TKind::Button,
                               IdSkinGroup, row.Left + 103, row.Top, 35, 20, "Ref..."});
    b->Tag = row.Command;
  }
  for (const TRow& r : kSystemPage) make(r);
  for (const char* choice : kTrackChoices) Get<ui::TComboBox>(IdShowOnTrackChange)->AddItem(choice);
  for (const TRow& r : kWheelPage) make(r);
  for (const char* choice : kWheelChoices) Get<ui::TComboBox>(IdWheelAction)->AddItem(choice);
  for (const TRow& r : kMorePage) make(r);
  auto* moreBox = Get<ui::THotKey>(IdMoreHotKey);
  moreBox->Accepts = HotKeyValueAccepted;
  auto* moreGesture = Get<ui::TComboBox>(IdMoreGesture);
  moreGesture->DropDownCount = 15;
  for (const auto& text : texts::JogDialTexts) moreGesture->AddItem(text.Cp932);
  StyleConflictLine(*Get<ui::TLabel>(IdMoreConflict));
  moreKeys_ =
      std::make_unique<TMoreKeys>(*Get<ui::TListBox>(IdMoreList), *moreBox, *moreGesture,
                                  *Get<ui::TButton>(IdMoreClear), *Get<ui::TLabel>(IdMoreConflict));

  // The pages without the preview are made when first shown (the preview, which sizes
  // itself to its panel, makes the Popup page's windows as it is made).
  for (int id : {IdJogPage, IdSystemPage, IdWheelPage, IdMorePage})
    Get<ui::TTabSheet>(id)->LateChildren = true;
  pageConfig = Get<ui::TPageControl>(IdPages);
  btnOK = Get<ui::TButton>(IdOK);
  btnOK->ModalResult = ui::mrOk;
  imgLogo = Get<ui::TImage>(IdLogo);
  imgLogo->Cursor = LoadCursor(nullptr, IDC_HAND);
  edtSkinDirectory = Get<ui::TEdit>(IdSkinDirectory);
  edtFontSize = Get<ui::TEdit>(IdFontSize);
  chbxUseKey = Get<ui::TCheckBox>(IdUseKey);
  chbxUseJogDial = Get<ui::TCheckBox>(IdUseJogDial);
  chbxUsePopup = Get<ui::TCheckBox>(IdUsePopup);
  pnlBase = Get<ui::TPanel>(IdPreviewPanel);
  pnlBase->LoweredBevel = true;
  pnlBase->SetVisible(true);

  lblBrindlewood = new TSimpleWebLabelEx(this);
  lblBrindlewood->SetParent(this);
  lblBrindlewood->SetText(HomePageUrl);
  lblBrindlewood->URL = HomePageUrl;
  lblBrindlewood->Font().SetName("Small Fonts");
  lblBrindlewood->Font().SetCharset(ANSI_CHARSET);
  lblBrindlewood->Cursor = LoadCursor(nullptr, IDC_HAND);

  dlgOpen.Title = "Select skin file";
  dlgOpen.Filter = texts::BitmapFilter.Cp932;
}

}  // namespace velmora
