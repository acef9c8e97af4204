#include "forms/common/placeholder_form.h"

#include <QCloseEvent>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "forms/common/form_names.h"
#include "startup/session.h"

namespace qorvana {

PlaceholderForm::PlaceholderForm(const QString& formName, const QString& title, Session& session,
                                 FormSet& forms)
    : QorForm(formName, session, forms) {
    setWindowTitle(title);
    auto* column = new QVBoxLayout(this);
    auto* label = new QLabel(QStringLiteral("%1: finestra non ancora disponibile.").arg(title));
    auto* chiudi = new QPushButton(QStringLiteral("Chiudi"));
    column->addWidget(label);
    column->addWidget(chiudi);
    registerControl(QStringLiteral("etichetta"), label);
    registerControl(QStringLiteral("chiudi"), chiudi);
    connect(chiudi, &QPushButton::clicked, this, &PlaceholderForm::close);
    resize(420, 140);
}

void PlaceholderForm::closeEvent(QCloseEvent* event) {
    // The window is only hidden (forms live for the whole run); the start form resumes.
    event->ignore();
    backToStart();
}

void PlaceholderForm::backToStart() {
    session().returnPending = 0;
    forms().handOver(this, QString(form_name::kStart));
}

}  // namespace qorvana
