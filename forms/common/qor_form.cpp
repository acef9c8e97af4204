#include "forms/common/qor_form.h"

#include <QScreen>

#include "forms/common/frame_style.h"
#include "forms/common/message_box.h"
#include "forms/common/operator_input.h"

namespace qorvana {

QString ControlKey(const QString& name, int index) {
    return index < 0 ? name : QStringLiteral("%1(%2)").arg(name).arg(index);
}

void CentreOnScreen(QWidget* window) {
    const QScreen* screen = window->screen();
    if (!screen) return;
    QRect frame = window->frameGeometry();
    frame.moveCenter(screen->availableGeometry().center());
    window->move(frame.topLeft());
}

bool MayDiscardDocument(QWidget* parent, const DocumentDraft& draft) {
    return draft.lines.lastUsed() == 0 ||
           AskBeforeLosingWork(parent, QStringLiteral("Il documento non è stato memorizzato: "
                                                      "abbandonarlo? Le righe scritte andranno "
                                                      "perse."));
}

QorForm::QorForm(const QString& formName, Session& session, FormSet& forms)
    : QWidget(nullptr), formName_(formName), session_(session), forms_(forms) {
    setObjectName(formName);
    OperatorInput::Install();
    InstallFrameStyle();
}

QWidget* QorForm::control(const QString& name, int index) const {
    return controls_.value(ControlKey(name, index), nullptr);
}

QStringList QorForm::controlKeys() const {
    return controls_.keys();
}

void QorForm::registerControl(const QString& name, QWidget* widget, int index) {
    const QString key = ControlKey(name, index);
    widget->setObjectName(key);
    controls_.insert(key, widget);
}

ControlRegistry QorForm::controlRegistry() {
    return [this](const QString& name, QWidget* widget, int index) {
        registerControl(name, widget, index);
    };
}

void FormSet::add(QorForm* form) {
    forms_.insert(form->formName(), form);
}

void FormSet::addLater(const QString& name, FormMaker make) {
    makers_.insert(name, std::move(make));
}

QorForm* FormSet::form(const QString& name) const {
    if (QorForm* f = forms_.value(name, nullptr)) return f;
    const auto maker = makers_.constFind(name);
    if (maker == makers_.constEnd()) return nullptr;
    std::unique_ptr<QorForm> made = (*maker)();
    // A form of a plugin that could not be loaded (the operator was told): asked again later.
    if (!made) return nullptr;
    owned_.push_back(std::move(made));
    QorForm* f = owned_.back().get();
    forms_.insert(name, f);
    return f;
}

QorForm* FormSet::built(const QString& name) const {
    return forms_.value(name, nullptr);
}

void FormSet::show(const QString& name) {
    QorForm* f = form(name);
    // Every name shown is one of form_names.h: another is a fault of the program.
    if (!f) qFatal("No form is named %s", qPrintable(name));
    f->show();
    f->raise();
    f->activateWindow();
    f->activate();
}

void FormSet::handOver(QorForm* from, const QString& to) {
    // A form that cannot be built now leaves `from` where it is.
    if (!form(to) && makers_.contains(to)) return;
    if (from) from->hide();
    show(to);
}

}  // namespace qorvana
