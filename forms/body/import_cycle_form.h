#pragma once
// The body form's imports (actions 11 to 14): reads the picker's choice, runs the import on
// the draft's lines, records the sources taken, tells the operator what was not imported and
// shows the lines again.

#include "core/session_codes.h"

namespace qorvana {

struct Session;
class FormSet;
class BodyForm;

class ImportCycle {
  public:
    ImportCycle(Session& session, FormSet& forms, BodyForm& body);
    // One of the four import actions; any other does nothing.
    void run(ReturnAction action);

  private:
    // An invoice was picked and, when the document already has lines, the operator agrees
    // that the invoice's lines replace them.
    bool replacesLinesAgreed();

    Session& session_;
    FormSet& forms_;
    BodyForm& body_;
};

}  // namespace qorvana
