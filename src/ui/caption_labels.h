#pragma once
// setLabels for one window: every row of a caption table that belongs to the window and applies in its
// current state puts labelOr(index, default) on its control, found by objectName.

#include <string_view>
#include <vector>

#include "base/captions.h"
#include "shell/caption_table.h"

class QWidget;

namespace gw::ui {

// Rows whose form is `formName` and which apply in `state`; tree node rows are left to the tree's owner,
// which rebuilds the tree from the same captions.
void applyCaptionRows(QWidget* form, std::string_view formName, const std::vector<CaptionRow>& rows,
                      const CaptionList& captions, CaptionState state);

// The same with the shell's caption table.
void applyCaptions(QWidget* form, std::string_view formName, const CaptionList& captions, CaptionState state);

}  // namespace gw::ui
