#pragma once
// Base of the nine windows: a named form whose controls are registered by name and index
// (FORM.NAME(INDEX) in operator scripts), and the hand-over between forms. Every form takes the
// keyboard and the mouse wheel by the same rules (operator_input.h).

#include <QHash>
#include <QString>
#include <QWidget>
#include <functional>
#include <memory>
#include <vector>

#include "document/document_draft.h"

namespace qorvana {

struct Session;
class FormSet;

// Registers a control of a panel under its suite name and index with the form that shows it.
using ControlRegistry = std::function<void(const QString& name, QWidget* widget, int index)>;

class QorForm : public QWidget {
    Q_OBJECT
  public:
    QorForm(const QString& formName, Session& session, FormSet& forms);

    const QString& formName() const { return formName_; }
    // The control NAME or NAME(INDEX); nullptr when the form has no such control.
    QWidget* control(const QString& name, int index = -1) const;
    QStringList controlKeys() const;

    // Runs when the form is shown by FormSet::show (the suite's activation event).
    virtual void activate() {}

  protected:
    void registerControl(const QString& name, QWidget* widget, int index = -1);
    // registerControl, for the panels the form holds.
    ControlRegistry controlRegistry();
    Session& session() { return session_; }
    const Session& session() const { return session_; }
    FormSet& forms() { return forms_; }
    const FormSet& forms() const { return forms_; }

  private:
    QString formName_;
    Session& session_;
    FormSet& forms_;
    QHash<QString, QWidget*> controls_;
};

// The nine forms, each built when it is first asked for, then hidden and shown, never
// destroyed before the set; and the draft of the document they work on together.
class FormSet {
  public:
    using FormMaker = std::function<std::unique_ptr<QorForm>()>;

    DocumentDraft& draft() { return draft_; }
    const DocumentDraft& draft() const { return draft_; }

    // A form built elsewhere, which its builder owns.
    void add(QorForm* form);
    // A form built by `make` the first time it is asked for; the set owns it.
    void addLater(const QString& name, FormMaker make);
    // The form named `name`, built now if it was not yet; nullptr for an unknown name, or when
    // `make` made nothing (a plugin that could not be loaded).
    QorForm* form(const QString& name) const;
    // The form if it has been built, without building it.
    QorForm* built(const QString& name) const;
    // The forms built so far.
    QList<QorForm*> all() const { return forms_.values(); }
    // Shows the form and runs its activation; an unknown name stops the program.
    void show(const QString& name);
    // Hides `from`, then shows `to` and runs its activation.
    void handOver(QorForm* from, const QString& to);

    template <typename T>
    T* get(const QString& name) const {
        return qobject_cast<T*>(form(name));
    }

  private:
    DocumentDraft draft_;
    // Declared after the draft, so that the forms, which refer to it, go first.
    mutable QHash<QString, FormMaker> makers_;
    mutable QHash<QString, QorForm*> forms_;
    mutable std::vector<std::unique_ptr<QorForm>> owned_;
};

QString ControlKey(const QString& name, int index);

// Places a window in the middle of its screen's free area.
void CentreOnScreen(QWidget* window);
// True when the document being issued has no lines, or when the operator, asked, agrees to
// discard them.
bool MayDiscardDocument(QWidget* parent, const DocumentDraft& draft);

}  // namespace qorvana
