// The forms at the operator's desk: the program's windows on a demo company, and the rules every
// window shares, driven by real key and wheel events (the suite runs this on an Italian desktop
// too).
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
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
#include "forms/common/operator_input.h"
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
    QString text(const char* form, const char* name, int index = -1) {
        return qobject_cast<QLineEdit*>(control(form, name, index))->text();
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

// Reached with Enter, the proposed price is selected: "150" typed replaces 129 (it made 150129).
TEST_F(DeskTest, TypingReplacesTheBoxEnterReached) {
    open();
    startInvoice("arco");
    keys("rad-600");  // looked up without "Elenco articoli": the list is built when needed
    press(Qt::Key_Return);
    ASSERT_EQ(QApplication::focusWidget(), control(form_name::kBody, "quantita", 0));
    keys("2");
    for (int i = 0; i < 3; ++i) press(Qt::Key_Return);
    ASSERT_EQ(QApplication::focusWidget(), control(form_name::kBody, "prezzo", 0));
    EXPECT_EQ(text(form_name::kBody, "prezzo", 0), "129");
    keys("150");
    EXPECT_EQ(text(form_name::kBody, "prezzo", 0), "150");
    EXPECT_EQ(forms_.get<BodyForm>(form_name::kBody)->lines()[1].unitPrice, 150);
    EXPECT_TRUE(messages_.told.empty());
}

// Up and Down go to the row above or below, PageUp and PageDown by a page; past the first or
// the last row the lines scroll (VScroll1), and the box reached has its text selected.
TEST_F(DeskTest, CursorKeysWalkTheLines) {
    open();
    startInvoice("arco");
    press(Qt::Key_Return);  // an empty code: on to the description
    keys("Trasporto");
    struct Step {
        Qt::Key key;
        int times;
        int row;        // the row of the description box reached
        int firstLine;  // VScroll1: the line row 0 shows
    };
    const Step steps[] = {
        {Qt::Key_Down, 11, 11, 1}, {Qt::Key_Down, 1, 11, 2}, {Qt::Key_PageDown, 1, 11, 14},
        {Qt::Key_Up, 11, 0, 14},   {Qt::Key_Up, 1, 0, 13},   {Qt::Key_PageUp, 2, 0, 1},
        {Qt::Key_Up, 1, 0, 1},
    };
    const auto* scroll = qobject_cast<QScrollBar*>(control(form_name::kBody, "VScroll1"));
    for (const Step& s : steps) {
        for (int i = 0; i < s.times; ++i) press(s.key);
        EXPECT_EQ(QApplication::focusWidget(), control(form_name::kBody, "ds", s.row))
            << "key " << s.key;
        EXPECT_EQ(scroll->value(), s.firstLine) << "key " << s.key;
    }
    auto* first = qobject_cast<QLineEdit*>(control(form_name::kBody, "ds", 0));
    EXPECT_EQ(first->selectedText(), "Trasporto");
}

// The header's "Tipo di pagamento": the blank conditions hidden from the drop-down but kept in
// their places; the wheel over it, while another box has the focus, leaves it as it is.
TEST_F(DeskTest, PaymentTermsShowOnlyWhatCanBeChosen) {
    open();
    startInvoice("arco");
    keys("rad-600");
    press(Qt::Key_Return);
    qobject_cast<QAbstractButton*>(control(form_name::kBody, "comando", 1))->click();
    Activate(form(form_name::kHeader));
    auto* terms = qobject_cast<QComboBox*>(control(form_name::kHeader, "Combo1"));
    ASSERT_EQ(terms->count(), 60);
    int shown = 0;
    for (int row = 0; row < terms->count(); ++row) {
        const bool blank = terms->itemText(row).trimmed().isEmpty();
        EXPECT_EQ(qobject_cast<QListView*>(terms->view())->isRowHidden(row), blank) << row;
        shown += blank ? 0 : 1;
    }
    EXPECT_GT(shown, 0);
    const int chosen = terms->currentIndex();
    control(form_name::kHeader, "text2", 0)->setFocus();
    Wheel(terms);
    EXPECT_EQ(terms->currentIndex(), chosen);
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

// Alt+E, the natural guess for "Elenco", lists the customers; the program goes on.
TEST_F(DeskTest, AltEListsTheCustomers) {
    open();
    control(form_name::kStart, "nome")->setFocus();
    press(Qt::Key_E, Qt::AltModifier);
    QTest::qWait(200);  // a button's Alt letter presses it, and releases it a moment later
    EXPECT_TRUE(form(form_name::kCustomerList)->isVisible());
    EXPECT_TRUE(program_.start->isVisible());
}

// Every window's Alt letters (buttons, check boxes, captions of boxes) are distinct.
TEST_F(DeskTest, AltLettersDistinctOnEveryWindow) {
    open();
    for (const char* name :
         {form_name::kStart, form_name::kCustomerList, form_name::kBody, form_name::kHeader,
          form_name::kDeliveryNotePicker, form_name::kInvoicePicker, form_name::kRegistration,
          form_name::kEInvoices, form_name::kEInvoiceCustomer}) {
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
}

// A choice turns with the wheel only while it has the focus; otherwise the area scrolls.
TEST(OperatorInput, WheelTurnsOnlyTheFocusedChoice) {
    OperatorInput::Install();
    QScrollArea area;
    auto* content = new QWidget;
    content->setFixedSize(300, 2000);
    auto* combo = new QComboBox(content);
    combo->addItems({"Bonifico bancario 30 gg d.f.", "Ri.Ba. 30 gg f.m. + 10", "Contanti"});
    auto* box = new QLineEdit(content);
    box->move(0, 40);
    area.setWidget(content);
    area.resize(320, 200);
    area.show();
    Activate(&area);
    EXPECT_EQ(combo->focusPolicy(), Qt::StrongFocus);  // the wheel does not give it the focus
    box->setFocus();
    Wheel(combo);
    EXPECT_EQ(combo->currentIndex(), 0);
    EXPECT_GT(area.verticalScrollBar()->value(), 0);
    combo->setFocus();
    Wheel(combo);
    EXPECT_EQ(combo->currentIndex(), 1);
}

// Typed characters Windows-1252 cannot hold would be stored as "?": refused and named; "’" and
// "€", which the archives hold, are taken.
TEST(OperatorInput, CharactersTheArchivesLackAreRefused) {
    OperatorInput::Install();
    ToldMessages messages;
    QLineEdit box;
    box.show();
    Activate(&box);
    box.setFocus();
    for (const char* typed : {"a", "✓", "’", "€", "è"})
        QTest::sendKeyEvent(QTest::Click, &box, Qt::Key_unknown, QString::fromUtf8(typed),
                            Qt::NoModifier);
    EXPECT_EQ(box.text(), QString::fromUtf8("a’€è"));
    ASSERT_EQ(messages.told.size(), 1u);
    EXPECT_TRUE(messages.told[0].startsWith(QString::fromUtf8("Il carattere \"✓\"")))
        << messages.told[0].toStdString();
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
