// The dialog's binding table against the settings: every row the dialog loads, it saves.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "config/uCustom.h"
#include "hook/uShortCutWord.h"
#include "popup/uPopupForm.h"
#include "settings/uIniManager.h"
#include "support.h"
#include "ui/uDialogControls.h"

using namespace velmora;
using TEdits = TfrmCustom::TEdits;

namespace {

class Bindings : public ::testing::Test {
 protected:
  void SetUp() override {
    CreateDirectoryA((testsupport::ExeDirectory() + "Plugins").c_str(), nullptr);
    DeleteFileA(Path().c_str());
    settings_ = std::make_unique<TIniManager>();
  }
  void TearDown() override {
    TPopupForm::DestroyAll();
    settings_.reset();
    DeleteFileA(Path().c_str());
  }
  static std::string Path() { return testsupport::ExeDirectory() + "Plugins\\gen_velmora.Ini"; }

  // The value a row is given: other than the one loaded, and different for each row.
  static TShortCut Word(int command) { return scCtrl | scAlt | TShortCut(0x41 + command); }
  static std::string Skin(int command) { return "C:\\skins\\" + std::to_string(command) + ".bmp"; }

  std::unique_ptr<TIniManager> settings_;
};

}  // namespace

// Each row changed from its loaded value, the first and the last included, is found in the
// settings once the dialog is gone, and in the file it saved.
TEST_F(Bindings, EveryRowChangedInTheDialogIsSaved) {
  const auto rows = TfrmCustom::Bindings();
  ASSERT_FALSE(rows.empty());
  const TIniManager loaded;  // the same file: the values the dialog opens with
  auto* dialog = new TfrmCustom(*settings_);
  for (const auto& b : rows) {
    switch (b.How) {
      case TEdits::HotKey:
        dialog->Get<ui::THotKey>(b.Id)->SetValue(HotKeyFromShortCut(Word(b.Command)));
        break;
      case TEdits::Gesture: {
        auto* box = dialog->Get<ui::TComboBox>(b.Id);
        ASSERT_GT(box->ItemCount(), 1);
        box->SetItemIndex((loaded.JogDials[b.Command] + 1 + b.Command) % box->ItemCount());
        break;
      }
      case TEdits::Skin:
        dialog->Get<ui::TEdit>(b.Id)->SetText(Skin(b.Command));
        break;
      case TEdits::Number:
        dialog->Get<ui::TEdit>(b.Id)->SetText(std::to_string(loaded.*b.Number + 7));
        break;
      case TEdits::Switch:
        dialog->Get<ui::TCheckBox>(b.Id)->SetChecked(!(loaded.*b.Switch));
        break;
      case TEdits::Text:
        dialog->Get<ui::TEdit>(b.Id)->SetText(loaded.*b.Text + "changed.exe");
        break;
      case TEdits::Choice: {
        auto* box = dialog->Get<ui::TComboBox>(b.Id);
        ASSERT_GT(box->ItemCount(), 1);
        box->SetItemIndex((loaded.*b.Number + 1) % box->ItemCount());
        break;
      }
      case TEdits::Flag:
        dialog->Get<ui::TCheckBox>(b.Id)->SetChecked((loaded.*b.Number & b.Bit) == 0);
        break;
      case TEdits::MoreKeys:  // every row of the list, through its box and gesture list
        for (int c = FirstMoreCommand; c < CommandCount; ++c)
          dialog->MoreKeys().Edit(static_cast<PlayerCommand>(c), Word(c),
                                  static_cast<std::uint8_t>(1 + c % 14));
        break;
    }
  }
  delete dialog;  // writes every control back and saves
  const TIniManager reread;
  const TIniManager* const sources[] = {settings_.get(), &reread};
  for (const TIniManager* s : sources) {
    const char* where = s == &reread ? "in the file" : "in memory";
    int rowIndex = 0;
    for (const auto& b : rows) {
      SCOPED_TRACE(testing::Message() << "row " << rowIndex++ << " of " << rows.size() << " (id "
                                      << b.Id << ") " << where);
      switch (b.How) {
        case TEdits::HotKey:
          EXPECT_EQ(s->HotKeys[b.Command], Word(b.Command));
          break;
        case TEdits::Gesture:
          EXPECT_NE(s->JogDials[b.Command], loaded.JogDials[b.Command]);
          break;
        case TEdits::Skin:
          EXPECT_EQ(b.Command < 0 ? s->DisableSkin : s->Skins[b.Command], Skin(b.Command));
          break;
        case TEdits::Number:
          EXPECT_EQ(s->*b.Number, loaded.*b.Number + 7);
          break;
        case TEdits::Switch:
          EXPECT_EQ(s->*b.Switch, !(loaded.*b.Switch));
          break;
        case TEdits::Text:
          EXPECT_EQ(s->*b.Text, loaded.*b.Text + "changed.exe");
          break;
        case TEdits::Choice:
          EXPECT_NE(s->*b.Number, loaded.*b.Number);
          break;
        case TEdits::Flag:
          EXPECT_NE(s->*b.Number & b.Bit, loaded.*b.Number & b.Bit);
          break;
        case TEdits::MoreKeys:
          for (int c = FirstMoreCommand; c < CommandCount; ++c) {
            EXPECT_EQ(s->HotKeys[c], Word(c)) << c;
            EXPECT_EQ(s->JogDials[c], 1 + c % 14) << c;
          }
          break;
      }
    }
  }
}

// Every control of the layout that holds a setting's value has exactly one row, and every
// row names such a control: a control left out of the table would be shown and never saved.
TEST_F(Bindings, EveryEditableControlHasExactlyOneRow) {
  auto* dialog = new TfrmCustom(*settings_);
  const std::vector<int> editable = dialog->EditableIds();
  delete dialog;
  ASSERT_GT(editable.size(), 40u);
  const auto rows = TfrmCustom::Bindings();
  for (int id : editable)
    EXPECT_EQ(std::count_if(rows.begin(), rows.end(), [&](const auto& b) { return b.Id == id; }), 1)
        << "control " << id;
  for (const auto& b : rows)
    EXPECT_NE(std::find(editable.begin(), editable.end(), b.Id), editable.end()) << "row " << b.Id;
}
