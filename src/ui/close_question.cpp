#include "ui/close_question.h"

#include "base/caption_ids.h"
#include "paramfile/parameter_file.h"

namespace gw::ui {

namespace {

// The sections the program has pages for. The rest of the image was never loaded from the file, so writing
// it would replace the file's other sections with defaults.
constexpr ParamSection kPageSections = ParamSection::System;

Answer ask(Program& p, int text, int caption, MessageKind kind) {
  return p.host.messageBox(Message{p.captions.at(text), p.captions.at(caption), kind, text, caption});
}

}  // namespace

bool closeQuestion(Program& program) {
  if (!program.pageState.anyModified()) return true;
  const Answer answer =
      ask(program, cap::kSaveChangesQuestion, cap::kQuestionTitle, MessageKind::QuestionCancel);
  if (answer == Answer::Cancel) return false;
  if (answer != Answer::Yes) return true;
  program.systemPage.systemSaveFile();
  if (!saveParameterFile(program.image, program.selection.selected().parameterFile, kPageSections)) {
    ask(program, cap::kFileWriteFailed, cap::kErrorTitle, MessageKind::Error);
  }
  return true;
}

}  // namespace gw::ui
