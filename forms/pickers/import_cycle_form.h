#pragma once
// The body form's imports (actions 11 to 14): reads the picker's choice, runs the import on
// the draft's lines, records the sources taken, tells the operator what was not imported and
// shows the lines again.

namespace qorvana {

struct Session;
class FormSet;
class BodyForm;

class ImportCycle {
  public:
    ImportCycle(Session& session, FormSet& forms, BodyForm& body);
    // action: 11 delivery notes, 12 receipts, 13 a quote, 14 an invoice.
    void run(int action);

  private:
    Session& session_;
    FormSet& forms_;
    BodyForm& body_;
};

}  // namespace qorvana
