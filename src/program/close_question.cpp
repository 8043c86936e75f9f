#include "program/close_question.h"

#include "base/caption_ids.h"
#include "paramfile/parameter_file.h"

namespace gw {

namespace {

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
  // Only the sections of the pages the program has: the image's other parts are what a file load left
  // there, and a section that failed to load would be written back with defaults.
  SectionMask sections;
  for (Page* page : program.pages()) {
    page->saveFile();
    sections = sections | SectionMask(page->traits().section);
  }
  if (!saveParameterFile(program.image, program.selection.selected().parameterFile, sections)) {
    ask(program, cap::kFileWriteFailed, cap::kErrorTitle, MessageKind::Error);
  }
  return true;
}

}  // namespace gw
