// When a window's controls get their native peers: once its description has been read, each
// from the finished control, or, for a window that asks for it, when it is first shown.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "framework/DescriptionReader.h"
#include "framework/Edit.h"
#include "framework/Form.h"
#include "framework/Label.h"
#include "framework/ListBox.h"
#include "framework/Registration.h"
#include "framework/Resources.h"
#include "framework/TabbedNotebook.h"
#include "platform/ui/Peers.h"
#include "tests/support/FakeBackend.h"
#include "tests/support/PlatformFixture.h"

namespace {

constexpr const char* kDescription = R"(object Described: TDescribedForm
  object Title: TLabel
    Width = 100
    Height = 30
    Caption = 'Stop'
  end
  object Tracks: TListBox
    Items.Strings = (
      '1'
      '2')
  end
  object Book: TTabbedNotebook
    object General: TTabPage
      object Seconds: TEdit
        Text = '10'
      end
    end
  end
end
)";

class DescribedForm : public TForm {
 public:
  explicit DescribedForm(TComponent* owner, bool seldomShown = false) : TForm(owner) {
    if (seldomShown) MakePeersWhenShown();
    ReadDescription("peers-test/described.dfm");
  }
  template <class T>
  T* Get(const std::string& name) {
    return Bind<T>(name);
  }
};

class FormPeersTest : public PlatformTest {
 protected:
  FormPeersTest() {
    previous_ = platform::ui::SetBackend(&backend);
    RegisterFrameworkClasses();
    RegisterClass<DescribedForm>("TDescribedForm");
    RegisterResource("peers-test/described.dfm", kDescription);
  }
  void TearDown() override {
    PlatformTest::TearDown();
    platform::ui::SetBackend(previous_);
  }

  FakeBackend backend;

 private:
  platform::ui::Backend* previous_ = nullptr;
};

TEST_F(FormPeersTest, ControlsGetTheirPeersOnceTheDescriptionIsRead) {
  auto* form = new DescribedForm(owner.get(), false);
  auto* title = form->Get<TLabel>("Title");
  auto* tracks = form->Get<TListBox>("Tracks");
  auto* seconds = form->Get<TEdit>("Seconds");
  // The label, the list, the notebook and the edit on its page: one peer each, made from
  // the finished controls (the page has none of its own; its edit lives in the notebook's).
  EXPECT_EQ(backend.controlsMade, 4);
  ASSERT_NE(title->Peer(), nullptr);
  ASSERT_NE(tracks->Peer(), nullptr);
  ASSERT_NE(seconds->Peer(), nullptr);
  EXPECT_EQ(FakePeerOf(title->Peer()).text, "Stop");
  EXPECT_EQ(FakePeerOf(tracks->Peer()).items, (std::vector<std::string>{"1", "2"}));
  EXPECT_EQ(FakePeerOf(seconds->Peer()).text, "10");
  // The self-sizing label measured with its peer (6 pixels a byte, 12 a line).
  EXPECT_EQ(title->Width(), 24);
  EXPECT_EQ(title->Height(), 12);
  // Later changes go straight to the peers.
  tracks->Items()->Add("3");
  EXPECT_EQ(FakePeerOf(tracks->Peer()).items.size(), 3u);
}

TEST_F(FormPeersTest, ASeldomShownWindowMakesItsControlsWhenFirstShown) {
  auto* form = new DescribedForm(owner.get(), true);
  auto* title = form->Get<TLabel>("Title");
  auto* tracks = form->Get<TListBox>("Tracks");
  auto* seconds = form->Get<TEdit>("Seconds");
  EXPECT_EQ(backend.controlsMade, 0);
  EXPECT_EQ(title->Peer(), nullptr);

  // What changes while it is hidden is what the peers are made with.
  title->SetCaption("Pause");
  tracks->Items()->Add("3");
  seconds->SetText("5");
  EXPECT_EQ(backend.controlsMade, 0);

  form->Show();
  EXPECT_EQ(backend.controlsMade, 4);
  ASSERT_NE(title->Peer(), nullptr);
  EXPECT_EQ(FakePeerOf(title->Peer()).text, "Pause");
  EXPECT_EQ(title->Width(), 30);
  EXPECT_EQ(FakePeerOf(tracks->Peer()).items, (std::vector<std::string>{"1", "2", "3"}));
  ASSERT_NE(seconds->Peer(), nullptr);
  EXPECT_EQ(FakePeerOf(seconds->Peer()).text, "5");

  // Hidden and shown again, it keeps the peers it has.
  auto* const peer = title->Peer();
  form->Hide();
  form->Show();
  EXPECT_EQ(backend.controlsMade, 4);
  EXPECT_EQ(title->Peer(), peer);
}

}  // namespace
