#include "pages/form_layout.h"

namespace gw {

std::vector<CaptionText> layoutCaptions(const FormLayout& layout) {
  std::vector<CaptionText> captions;
  const auto add = [&captions](const CaptionText& c) {
    if (c.text != nullptr) captions.push_back(c);
  };
  for (const RowSpec& row : layout.rows) {
    for (const GroupSpec& group : row.groups) {
      add(group.title);
      for (const ControlSpec& control : group.controls) {
        add(control.label);
        add(control.hint);
        for (const CaptionText& column : control.columns) add(column);
      }
    }
  }
  return captions;
}

std::vector<const char*> layoutControlNames(const FormLayout& layout) {
  std::vector<const char*> names;
  for (const RowSpec& row : layout.rows) {
    for (const GroupSpec& group : row.groups) {
      if (group.name != nullptr) names.push_back(group.name);
      for (const ControlSpec& control : group.controls) {
        if (control.labelName != nullptr) names.push_back(control.labelName);
        names.push_back(control.name);
      }
    }
  }
  return names;
}

}  // namespace gw
