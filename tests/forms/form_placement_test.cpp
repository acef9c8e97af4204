// The forms as windows, offscreen: where they open.
#include <gtest/gtest.h>
#include <QApplication>
#include <QScreen>

#include "core/session.h"
#include "forms/body/body_form.h"
#include "forms/registration/registration_form.h"

namespace qorvana {
namespace {

// The body and registration windows open in the middle of the screen, as the start form and
// the header do, never at its top left corner.
TEST(FormPlacement, BodyAndRegistrationOpenCentred) {
    Session session;
    FormSet forms;
    BodyForm body(session, forms);
    RegistrationForm registration(session, forms);
    const QPoint centre = QApplication::primaryScreen()->availableGeometry().center();
    for (const QWidget* form : {static_cast<QWidget*>(&body), static_cast<QWidget*>(&registration)})
        EXPECT_LE((form->frameGeometry().center() - centre).manhattanLength(), 2)
            << form->objectName().toStdString();
}

}  // namespace
}  // namespace qorvana
