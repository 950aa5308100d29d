#include "ui/small_layout.h"

#include "controls/design_face.h"

namespace quillby {

WindowLayout smallLayout(SmallControls& c) {
  return {
      .windowClass = u"QuillbySmallForm",
      .caption = u"",
      .clientWidth = 2430,
      .clientHeight = 4935,
      .frame = FrameStyle::ThinBorder,
      .ownIcon = false,
      .form = &c.form,
      .controls =
          {
              {.name = "Command6",
               .control = &c.Command6,
               .text = u"おやつ",
               .rect = {1560, 3360, 735, 375}},
              {.name = "Command5",
               .control = &c.Command5,
               .text = u"受信簿",
               .rect = {1560, 2880, 735, 375}},
              {.name = "Command4",
               .control = &c.Command4,
               .text = u"メールチェック",
               .rect = {120, 3000, 1215, 375}},
              {.name = "Command3",
               .control = &c.Command3,
               .text = u"終了",
               .rect = {120, 3840, 1215, 375},
               .font = {Text(kDesignFace), 11.25}},
              {.name = "Command2",
               .control = &c.Command2,
               .text = u"呼び戻す！",
               .rect = {120, 3480, 1215, 255}},
              {.name = "List1", .control = &c.List1, .rect = {120, 360, 2175, 2400}},
              {.name = "Label1",
               .control = &c.Label1,
               .text = u"おともだちリスト",
               .rect = {360, 120, 1695, 255}},
              {.name = "Check1", .control = &c.Check1, .rect = {120, 4320, 135, 180}},
              {.name = "Label10",
               .control = &c.Label10,
               .text = u"手前に表示",
               .rect = {360, 4320, 1335, 255}},
              {.name = "expand",
               .control = &c.expand,
               .text = u"メモ",
               .rect = {1560, 4560, 735, 255}},
              {.name = "Command1",
               .control = &c.Command1,
               .text = u"お風呂",
               .rect = {1560, 3840, 735, 255}},
              {.name = "Command7",
               .control = &c.Command7,
               .text = u"元気？",
               .rect = {1560, 4200, 735, 255}},
              {.name = "Label9",
               .control = &c.Label9,
               .rect = {840, 2760, 615, 255},
               .font = {Text(kDesignFace), 8.25}},
              {.name = "Check2", .control = &c.Check2, .rect = {120, 4560, 135, 180}},
              {.name = "Label2",
               .control = &c.Label2,
               .text = u"PostPetも終了",
               .rect = {360, 4560, 1335, 255}},
          },
  };
}

}  // namespace quillby
