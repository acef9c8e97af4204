#pragma once
// The body form's confirmation cycle (action 99): each form's part taken into the draft,
// the moment of issue, posting, the document's line file, then back to the start form.
// Printing, the PDF copy and the accounting registration join the cycle between the line
// file and the return. Everything after the collection reads the draft only.

#include "document/posting.h"

namespace qorvana {

struct Session;
class FormSet;
class BodyForm;

class ConfirmCycle {
  public:
    ConfirmCycle(Session& session, FormSet& forms, BodyForm& body);

    // Runs the cycle and hands over to the next form. A refusal before anything was written
    // goes back to the header form as the operator left it; a failure after that is shown
    // and the cycle stops at the start form.
    void run();

    // Takes the start form's customer and transport, the header's and the panel's entries
    // and the body's VAT-inclusive choice into the draft.
    void collectDraft();
    // What posting takes: the draft and the session's values of the moment of issue.
    PostingInput postingInput() const;

  private:
    Session& session_;
    FormSet& forms_;
    BodyForm& body_;
};

}  // namespace qorvana
