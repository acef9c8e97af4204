// The forms at the operator's desk, where an operator script cannot look: the program's windows
// on a demo company and the rules every window shares, driven by real key and wheel events (the
// suite runs this on an Italian desktop too). Typing over, the cursor keys in the line grid and
// refused characters are tested by body.qrs.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QProgressDialog>
#include <QScrollArea>
#include <QScrollBar>
#include <QTest>
#include <QTimer>
#include <QWheelEvent>
#include <map>

#include "app/create_forms.h"
#include "core/session.h"
#include "forms/body/body_form.h"
#include "forms/common/form_names.h"
#include "forms/common/message_box.h"
#include "forms/common/work_progress.h"
#include "forms/print/pdf_jobs_form.h"
#include "forms/start/start_form.h"
#include "tests/temp_dir.h"
#include "tools/demo/demo_company.h"

namespace qorvana {
namespace {

void Settle() {
    for (int i = 0; i < 3; ++i) QApplication::processEvents();
}

// Makes `window` the active window, as the operator's click on it would.
void Activate(QWidget* window) {
    window->activateWindow();
    Settle();
    if (QApplication::activeWindow() != window) QApplication::setActiveWindow(window);
}

// The mouse wheel turned one notch down over `w`.
void Wheel(QWidget* w) {
    QWheelEvent down(QPointF(5, 5), w->mapToGlobal(QPointF(5, 5)), QPoint(), QPoint(0, -120),
                     Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(w, &down);
}

// Messages are answered as a hurried operator would: No to a question, OK to the rest.
class ToldMessages {
  public:
    ToldMessages() {
        SetMessageResponder([this](const QString&, const QString& text, MsgButtons buttons) {
            told.push_back(text);
            return buttons == MsgButtons::YesNo ? MsgAnswer::No : MsgAnswer::Ok;
        });
    }
    ~ToldMessages() { SetMessageResponder({}); }
    std::vector<QString> told;
};

// The program's forms on a demo company of their own, today 06/12/2026.
class DeskTest : public ::testing::Test {
  protected:
    ~DeskTest() override { session_.files.closeAll(); }

    void open(int fpaSwitch = 0) {
        demo::DemoOptions options;
        options.drive = dir_.path();
        options.fpaSwitch = fpaSwitch;
        demo::WriteDemoCompany(options);
        session_.paths = PathMapper(dir_.path());
        session_.clock = SessionClock(*CivilDateTime::Parse("06/12/2026 10:00"));
        program_ = CreateForms(session_, forms_);
        ASSERT_TRUE(program_.start->load(1));
        forms_.show(form_name::kStart);
        Activate(program_.start);
    }
    QorForm* form(const char* name) { return forms_.form(name); }
    QWidget* control(const char* form, const char* name, int index = -1) {
        QWidget* w = forms_.form(form)->control(name, index);
        EXPECT_NE(w, nullptr) << form << "." << name << "(" << index << ")";
        return w;
    }
    // Keys as the keyboard sends them, to the widget that has the focus.
    static void keys(const char* typed) {
        for (const char* c = typed; *c; ++c) QTest::keyClick(QApplication::focusWidget(), *c);
        Settle();
    }
    static void press(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QTest::keyClick(QApplication::focusWidget(), key, modifiers);
        Settle();
    }
    // An invoice to the customer found by `name`, its body form active.
    void startInvoice(const char* name) {
        control(form_name::kStart, "nome")->setFocus();
        keys(name);
        press(Qt::Key_Return);
        qobject_cast<QAbstractButton*>(control(form_name::kStart, "bottone", 0))->click();
        Activate(form(form_name::kBody));
    }

    testing::TempDir dir_;
    Session session_;
    FormSet forms_;
    ProgramForms program_;
    ToldMessages messages_;
};

// The header's "Tipo di pagamento": the blank conditions hidden from the drop-down but kept in
// their places. The wheel turns it only while it has the focus; otherwise the header scrolls.
TEST_F(DeskTest, PaymentTermsAndTheWheel) {
    open();
    startInvoice("arco");
    keys("rad-600");
    press(Qt::Key_Return);
    qobject_cast<QAbstractButton*>(control(form_name::kBody, "comando", 1))->click();
    Activate(form(form_name::kHeader));
    auto* terms = qobject_cast<QComboBox*>(control(form_name::kHeader, "Combo1"));
    ASSERT_EQ(terms->count(), 60);
    for (int row = 0; row < terms->count(); ++row)
        EXPECT_EQ(qobject_cast<QListView*>(terms->view())->isRowHidden(row),
                  terms->itemText(row).trimmed().isEmpty())
            << row;
    const int chosen = terms->currentIndex();
    const QScrollBar* scroll =
        form(form_name::kHeader)->findChild<QScrollArea*>()->verticalScrollBar();
    ASSERT_GT(scroll->maximum(), 0);
    EXPECT_EQ(terms->focusPolicy(), Qt::StrongFocus);  // the wheel does not give it the focus
    control(form_name::kHeader, "text2", 0)->setFocus();
    Wheel(terms);
    EXPECT_EQ(terms->currentIndex(), chosen);
    EXPECT_GT(scroll->value(), 0);
    terms->setFocus();
    Wheel(terms);
    EXPECT_NE(terms->currentIndex(), chosen);
}

// With PDF copies switched off (qorvana.eur line 2 = 0) there is nothing to send: the e-mail
// tick is off and disabled, and says why.
TEST_F(DeskTest, EmailTickDisabledWithPdfsOff) {
    open(0);
    startInvoice("arco");
    auto* email = qobject_cast<QAbstractButton*>(control(form_name::kBody, "postael"));
    EXPECT_FALSE(email->isEnabled());
    EXPECT_FALSE(email->isChecked());
    EXPECT_TRUE(email->toolTip().contains("qorvana.eur")) << email->toolTip().toStdString();
}

// Every window's Alt letters (buttons, check boxes, captions of boxes) are distinct; on the
// start form Alt+E, the natural guess for "Elenco", lists the customers and the program goes on.
TEST_F(DeskTest, AltLetters) {
    open();
    for (const char* name :
         {form_name::kStart, form_name::kCustomerList, form_name::kBody, form_name::kHeader,
          form_name::kDeliveryNotePicker, form_name::kInvoicePicker, form_name::kRegistration,
          form_name::kEInvoices, form_name::kEInvoiceCustomer, form_name::kPreview}) {
        std::map<QChar, QString> taken;
        const auto take = [&](const QString& caption) {
            const int at = caption.indexOf(QLatin1Char('&'));
            if (at < 0 || at + 1 >= caption.size()) return;
            const QChar letter = caption.at(at + 1).toLower();
            const auto [was, fresh] = taken.emplace(letter, caption);
            EXPECT_TRUE(fresh) << name << ": Alt+" << QString(letter).toStdString() << " on \""
                               << was->second.toStdString() << "\" and \"" << caption.toStdString()
                               << "\"";
        };
        for (const QAbstractButton* b : form(name)->findChildren<QAbstractButton*>())
            take(b->text());
        for (const QLabel* l : form(name)->findChildren<QLabel*>())
            if (l->buddy()) take(l->text());
    }
    Activate(program_.start);
    control(form_name::kStart, "nome")->setFocus();
    press(Qt::Key_E, Qt::AltModifier);
    QTest::qWait(200);  // a button's Alt letter presses it, and releases it a moment later
    EXPECT_TRUE(form(form_name::kCustomerList)->isVisible());
    EXPECT_TRUE(program_.start->isVisible());
}

// Long work shows its progress only once it has taken longer than the time given (half a
// second in the program); the window goes when the work ends.
TEST(WorkProgress, ShowsOnlyWorkThatTakesLong) {
    QWidget window;
    {
        WorkProgress quick(&window, QStringLiteral("Lettura dei clienti..."),
                           std::chrono::hours(1));
        quick.report()(1, 10);
        EXPECT_FALSE(quick.shown());
        EXPECT_EQ(window.findChild<QProgressDialog*>(), nullptr);
    }
    {
        WorkProgress slow(&window, QStringLiteral("Lettura dei clienti..."),
                          std::chrono::milliseconds(0));
        slow.report()(5, 10);
        const auto* shown = window.findChild<QProgressDialog*>();
        ASSERT_NE(shown, nullptr);
        EXPECT_TRUE(shown->isVisible());
        EXPECT_EQ(shown->labelText(), QStringLiteral("Lettura dei clienti..."));
        EXPECT_EQ(shown->value() * 2, shown->maximum());
        slow.report()(7, 0);  // a total not known: a moving bar
        EXPECT_EQ(shown->maximum(), 0);
    }
    EXPECT_EQ(window.findChild<QProgressDialog*>(), nullptr);
}

// Enter on a question answers No where Yes throws work away, Yes elsewhere.
TEST(MessageBoxes, EnterAnswersNoWhereYesThrowsWorkAway) {
    const auto enterOnTheBox = [] {
        QTimer::singleShot(
            0, [] { QTest::keyClick(QApplication::activeModalWidget(), Qt::Key_Return); });
    };
    enterOnTheBox();
    EXPECT_FALSE(
        AskBeforeLosingWork(nullptr, "Il documento non è stato memorizzato: abbandonarlo?"));
    enterOnTheBox();
    EXPECT_TRUE(AskYesNo(nullptr, "Stampa fattura", "Iniziare la stampa?"));
}

// A run of qorxpdf that sent the PDF says to whom; one that failed says why.
TEST(PdfJobs, TellsHowEachRunEnded) {
    struct Case {
        const char* script;
        const char* recipient;
        std::vector<QString> told;
    };
    const std::string pdf = "C:\\pdf\\ftr1_2026.pdf";
    const Case cases[] = {
        {"exit 0",
         "info@arco.it",
         {"Copia PDF del documento inviata a info@arco.it (C:\\pdf\\ftr1_2026.pdf)."}},
        {"exit 0", "", {}},
        {"echo 'Il PDF non è stato creato.'; exit 1",
         "info@arco.it",
         {QString::fromUtf8("Il PDF non è stato creato.")}},
    };
    QWidget window;
    auto* jobs = new PdfJobs(&window);
    for (const Case& c : cases) {
        ToldMessages messages;
        ASSERT_TRUE(jobs->start({"/bin/sh", {"-c", c.script}, "/"}, pdf, c.recipient, {}));
        jobs->waitForAll(10000);
        EXPECT_EQ(messages.told, c.told) << c.script;
    }
}

}  // namespace
}  // namespace qorvana
