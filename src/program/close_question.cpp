#include "program/close_question.h"

#include "base/caption_ids.h"
#include "paramfile/parameter_file.h"
#include "program/whole_transfers.h"

namespace gw {

namespace {

Answer ask(Program& p, int text, int caption, MessageKind kind) {
  return p.host.messageBox(Message{p.captions.at(text), p.captions.at(caption), kind, text, caption});
}

}  // namespace

bool closeRefused(const Program& program) {
  return program.connection.upgradeRunning;
}

bool closeQuestion(Program& program) {
  if (!program.pageState.anyModified()) return true;
  const Answer answer =
      ask(program, cap::kSaveChangesQuestion, cap::kQuestionTitle, MessageKind::QuestionCancel);
  if (answer == Answer::Cancel) return false;
  if (answer != Answer::Yes) return true;
  // The sections of the pages the program has (all of them: mask All).
  pagesToImage(program);
  SectionMask sections;
  for (Page* page : program.pages()) sections = sections | page->traits().section;
  if (!saveParameterFile(program.image, program.selection.selected().parameterFile, sections,
                         program.clock.localTime())) {
    ask(program, cap::kFileWriteFailed, cap::kErrorTitle, MessageKind::Error);
  }
  return true;
}

}  // namespace gw
