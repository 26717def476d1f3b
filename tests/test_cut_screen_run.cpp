// SPDX-License-Identifier: MIT
// The cut screens' run both front ends call, without any toolkit: the fields each screen maps to
// the values they feed, what comes back to show, and the texts every screen opens with.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "cut_screen_run.h"
#include "disk_files.h"
#include "messages.h"
#include "recording_starter.h"
#include "screen_tables.h"
#include "temp_root.h"

namespace talvo::screens {
namespace {

using test_support::ReadBytes;
using test_support::RecordingStarter;
using test_support::TempRoot;

constexpr CutKind kKinds[] = {CutKind::InnerCircle, CutKind::OuterCircle, CutKind::InnerRectangle,
                              CutKind::OuterRectangle};

/// A screen's controls as a front end holds them: their texts by name.
class TypedScreen {
 public:
  explicit TypedScreen(std::map<std::string, std::string, std::less<>> texts) : texts_(std::move(texts)) {}
  ControlText Reader() {
    return [this](std::string_view control) {
      read.emplace_back(control);
      const auto it = texts_.find(control);
      return it == texts_.end() ? std::string() : it->second;
    };
  }
  std::vector<std::string> read;

 private:
  std::map<std::string, std::string, std::less<>> texts_;
};

class CutScreenRunTest : public testing::Test {
 protected:
  RunServices Services() { return {root.Path(), &files, &starter}; }

  TempRoot root;
  DiskFiles files;
  RecordingStarter starter;
};

TEST_F(CutScreenRunTest, ReadsTheFieldsByTheirControlsAndHandsBackTheBoxText) {
  TypedScreen screen({{"Text2", "60"},
                      {"Text3", "120"},
                      {"Text4", "8"},
                      {"Text5", "3"},
                      {"Text6", "400"},
                      {"Text1", "typed into the box"}});
  const CutScreenShow show = RunCutScreen(CutScreenDescription(CutKind::InnerRectangle), screen.Reader(), Services());
  ASSERT_TRUE(show.boxText);
  EXPECT_EQ(*show.boxText, "G0X60Y8\r\nG1Y1.5F400\r\nG1X118.5\r\nG1Y58.5\r\nG1X1.5\r\nG1Y1.5\r\nG1X60\r\nM30\r\n%\r\n");
  EXPECT_EQ(show.message, "");
  EXPECT_EQ(ReadBytes(root.Path() / "ALANTEMIZLEME.TXT"), *show.boxText + "\r\n");
  EXPECT_EQ(starter.started.size(), 1u);
}

TEST_F(CutScreenRunTest, ARefusedRunLeavesTheBoxAndSaysWhyUnderTheMenuCaption) {
  TypedScreen screen({{"Text3", "10"}, {"Text1", "left as typed"}});
  const CutScreenShow show = RunCutScreen(CutScreenDescription(CutKind::InnerCircle), screen.Reader(), Services());
  EXPECT_FALSE(show.boxText);
  EXPECT_EQ(show.message, msg::kZeroRefused);
  EXPECT_EQ(show.messageTitle, "TALVO-ZAVODO V1.0");
  EXPECT_EQ(show.messageTitle, MenuDescription().caption);
  EXPECT_TRUE(starter.started.empty());
}

TEST_F(CutScreenRunTest, AViewerThatDoesNotStartIsANoteBesideTheProgram) {
  starter.failure = "no viewer here";
  TypedScreen screen({{"Text2", "100"}, {"Text3", "10"}, {"Text4", "4"}, {"Text5", "300"}});
  const CutScreenShow show = RunCutScreen(CutScreenDescription(CutKind::InnerCircle), screen.Reader(), Services());
  ASSERT_TRUE(show.boxText);
  EXPECT_EQ(*show.boxText, "G0X0Y0\r\nG0Y-38\r\nG1Y-48F300\r\nG2J48F300\r\nM30\r\n%\r\n");
  EXPECT_NE(show.message.find(msg::kViewerNotStarted), std::string::npos);
  EXPECT_EQ(show.messageTitle, MenuDescription().caption);
}

TEST(CutScreenFields, EachScreenMapsExactlyTheValuesItsKindReadsToInputFields) {
  for (const CutKind kind : kKinds) {
    const WindowDescription& screen = CutScreenDescription(kind);
    ASSERT_EQ(screen.kind, kind);
    const auto reads = Describe(kind).reads;
    ASSERT_EQ(screen.fields.size(), reads.size()) << screen.name;
    for (const FieldControl& field : screen.fields) {
      EXPECT_NE(std::ranges::find(reads, field.value), reads.end()) << screen.name << " " << field.control;
      const auto control = std::ranges::find(screen.controls, field.control, &ControlDescription::name);
      ASSERT_NE(control, screen.controls.end()) << screen.name << " " << field.control;
      EXPECT_EQ(control->kind, ControlKind::InputField) << screen.name << " " << field.control;
      // Each field opens with the text the command line also starts from.
      EXPECT_EQ(control->text, InitialFieldText(field.value)) << screen.name << " " << field.control;
    }
  }
  EXPECT_TRUE(MenuDescription().fields.empty());
}

}  // namespace
}  // namespace talvo::screens
