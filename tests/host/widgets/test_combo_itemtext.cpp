// Type-ahead of an owner-drawn combo box that shows other text than its item
// strings: it matches what the box shows.
#include "host/widgets/ComboBox.h"
#include "tests/support/Headless.h"

using namespace host;
using namespace zeltest;

namespace {

// Draws its items from a list of its own, back to front.
class TReversedCombo : public TCustomComboBox {
 public:
  explicit TReversedCombo(TComponent* AOwner) : TCustomComboBox(AOwner) {
    SetStyle(csOwnerDrawFixed);
  }
  std::vector<std::string> Shown;

 protected:
  std::string ItemText(int Index) const override { return Shown[size_t(Index)]; }
};

class ComboItemText : public HeadlessTest {};

}  // namespace

TEST_F(ComboItemText, TypeAheadMatchesTheTextTheBoxShows) {
  auto* b = Make<TReversedCombo>(10, 10, 120, 0);
  for (const char* s : {"alpha", "beta", "gamma"}) b->Items()->Add(s);
  b->Shown = {"gamma", "beta", "alpha"};
  b->SetFocus();
  TypeText(Form(), "a");
  EXPECT_EQ(b->ItemIndex(), 2);  // its string is "gamma"
  Advance(2000);
  TypeText(Form(), "g");
  EXPECT_EQ(b->ItemIndex(), 0);
}
