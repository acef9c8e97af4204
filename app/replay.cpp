#include "app/replay.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAbstractSlider>
#include <QAbstractSpinBox>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QStyleOptionButton>
#include <QTest>
#include <QTextEdit>
#include <cstdio>
#include <iostream>
#include <stdexcept>

#include "forms/common/date_picker.h"
#include "forms/common/qor_form.h"
#include "forms/print/pdf_jobs_form.h"

namespace qorvana {
namespace {

// A step that did not do or find what the script says; caught once per step.
class StepFailed : public std::runtime_error {
  public:
    explicit StepFailed(const QString& what) : std::runtime_error(what.toStdString()) {}
};

[[noreturn]] void Fail(const QString& what) {
    throw StepFailed(what);
}

QString Quote(const QString& text) {
    return QString::fromStdString(QuoteScriptText(text.toStdString()));
}

// FORM.NAME(INDEX) of a control, for failure texts. A part of a control (the text box of a
// date picker) is named after the control.
QString Label(const QWidget* w) {
    while (w->objectName().isEmpty() && w->parentWidget()) w = w->parentWidget();
    const auto* form = qobject_cast<const QorForm*>(w->window());
    if (!form || form == w) return w->objectName();
    return form->formName() + QLatin1Char('.') + w->objectName();
}

QString Word(const ScriptWord& word) {
    return QString::fromStdString(word.text);
}

int NumberArgument(const ScriptWord& word, const char* what) {
    bool ok = false;
    const int n = Word(word).toInt(&ok);
    if (!ok || word.quoted)
        Fail(QStringLiteral("%1 must be a whole number, not %2").arg(what, Word(word)));
    return n;
}

QString AnswerName(MsgAnswer answer) {
    switch (answer) {
        case MsgAnswer::Yes:
            return QStringLiteral("Yes");
        case MsgAnswer::No:
            return QStringLiteral("No");
        case MsgAnswer::Ok:
            return QStringLiteral("Ok");
    }
    return {};
}

// A caption as the operator reads it: "&&" shows "&", a single "&" only underlines the
// letter after it.
QString WithoutMnemonics(const QString& caption) {
    QString shown;
    for (int i = 0; i < caption.size(); ++i) {
        if (caption.at(i) == QLatin1Char('&') && i + 1 < caption.size()) ++i;
        shown += caption.at(i);
    }
    return shown;
}

// What a control shows, as `expect` compares it.
QString ShownText(QWidget* w) {
    if (auto* picker = qobject_cast<DatePicker*>(w)) return picker->text();
    if (auto* edit = qobject_cast<QLineEdit*>(w)) return edit->text();
    if (auto* combo = qobject_cast<QComboBox*>(w)) return combo->currentText();
    if (auto* box = qobject_cast<QCheckBox*>(w))
        return box->isChecked() ? QStringLiteral("1") : QStringLiteral("0");
    if (auto* option = qobject_cast<QRadioButton*>(w))
        return option->isChecked() ? QStringLiteral("1") : QStringLiteral("0");
    if (auto* button = qobject_cast<QAbstractButton*>(w)) {
        if (button->isCheckable())
            return button->isChecked() ? QStringLiteral("1") : QStringLiteral("0");
        return WithoutMnemonics(button->text());
    }
    if (auto* label = qobject_cast<QLabel*>(w))
        return label->buddy() ? WithoutMnemonics(label->text()) : label->text();
    if (auto* plain = qobject_cast<QPlainTextEdit*>(w)) return plain->toPlainText();
    if (auto* rich = qobject_cast<QTextEdit*>(w)) return rich->toPlainText();
    if (auto* slider = qobject_cast<QAbstractSlider*>(w)) return QString::number(slider->value());
    if (auto* spin = qobject_cast<QAbstractSpinBox*>(w)) return spin->text();
    // A list box shows its current entry.
    if (auto* view = qobject_cast<QAbstractItemView*>(w))
        return view->currentIndex().data(Qt::DisplayRole).toString();
    Fail(QStringLiteral("%1 shows no text").arg(Label(w)));
}

// The text box behind a control: itself, a combo box's edit part, a date picker's box.
QLineEdit* TextBoxOf(QWidget* w) {
    if (auto* edit = qobject_cast<QLineEdit*>(w)) return edit;
    if (auto* picker = qobject_cast<DatePicker*>(w)) return picker->lineEdit();
    if (auto* combo = qobject_cast<QComboBox*>(w)) return combo->lineEdit();
    return nullptr;
}

QAbstractItemView* GridOf(QWidget* w) {
    auto* view = qobject_cast<QAbstractItemView*>(w);
    if (!view || !view->model()) Fail(QStringLiteral("%1 is not a grid").arg(Label(w)));
    return view;
}

bool HoldsFocus(QWidget* control) {
    QWidget* focused = QApplication::focusWidget();
    return focused && (focused == control || control->isAncestorOf(focused));
}

// Notes whether a control (or a part of it) received the focus while it watches the
// application's events: the control's own focus handling may move the focus on at once.
class FocusWitness : public QObject {
  public:
    explicit FocusWitness(QWidget* control) : control_(control) {
        QApplication::instance()->installEventFilter(this);
    }
    ~FocusWitness() override { QApplication::instance()->removeEventFilter(this); }
    bool reached() const { return reached_; }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::FocusIn && watched->isWidgetType()) {
            auto* w = static_cast<QWidget*>(watched);
            reached_ = reached_ || w == control_ || control_->isAncestorOf(w);
        }
        return false;
    }

  private:
    QWidget* control_;
    bool reached_ = false;
};

struct KeyName {
    const char* name;
    Qt::Key key;
    const char* text;
    Qt::KeyboardModifiers modifiers = Qt::NoModifier;
};
constexpr KeyName kKeys[] = {
    {"Enter", Qt::Key_Return, "\r"},
    {"Tab", Qt::Key_Tab, "\t"},
    {"Backspace", Qt::Key_Backspace, "\b"},
    {"Escape", Qt::Key_Escape, "\x1b"},
    {"F1", Qt::Key_F1, ""},
    {"Up", Qt::Key_Up, ""},
    {"Down", Qt::Key_Down, ""},
    {"PageUp", Qt::Key_PageUp, ""},
    {"PageDown", Qt::Key_PageDown, ""},
    {"Ctrl+Z", Qt::Key_Z, "\x1a", Qt::ControlModifier},
};

// The widget a keyboard would send the next key to.
QWidget* KeyTarget(QWidget* fallback) {
    QWidget* focused = QApplication::focusWidget();
    return focused ? focused : fallback;
}

void PressKey(QWidget* fallback, Qt::Key key, const QString& text,
              Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QTest::sendKeyEvent(QTest::Press, KeyTarget(fallback), key, text, modifiers);
    QTest::sendKeyEvent(QTest::Release, KeyTarget(fallback), key, text, modifiers);
}

}  // namespace

Replay::Replay(FormSet& forms, QString scriptPath, QString outputFolder)
    : forms_(forms), scriptPath_(std::move(scriptPath)), outputFolder_(std::move(outputFolder)) {}

Replay::~Replay() {
    SetMessageResponder({});
}

void Replay::takeMessages() {
    QFile file(scriptPath_);
    unreadable_ = !file.open(QIODevice::ReadOnly);
    const QByteArray script = file.readAll();
    parsed_ = ParseScript(std::string_view(script.constData(), script.size()));
    if (parsed_) {
        while (firstStep_ < parsed_->size() &&
               (*parsed_)[firstStep_].words.front().text == "answer") {
            try {
                runStep((*parsed_)[firstStep_]);
            } catch (const StepFailed&) {
                break;  // run() fails it with its line
            }
            ++firstStep_;
        }
    }
    SetMessageResponder([this](const QString& title, const QString& text, MsgButtons buttons) {
        return answerMessage(title, text, buttons);
    });
}

MsgAnswer Replay::answerMessage(const QString& title, const QString& text, MsgButtons buttons) {
    lastMessage_ = text;
    MsgAnswer answer = MsgAnswer::Ok;
    if (!answers_.empty()) {
        answer = answers_.front();
        answers_.pop_front();
        const bool fits = (buttons == MsgButtons::Ok) == (answer == MsgAnswer::Ok);
        if (!fits && failure_.isEmpty())
            failure_ = QStringLiteral("the answer %1 does not fit the message %2")
                           .arg(AnswerName(answer), Quote(text));
    } else if (buttons == MsgButtons::YesNo) {
        // Nobody answered the question: the safer answer, and the step fails.
        answer = MsgAnswer::No;
        if (failure_.isEmpty())
            failure_ = QStringLiteral("no answer queued for the question %1").arg(Quote(text));
    }
    std::cout << "message " << Quote(title).toStdString() << ' ' << Quote(text).toStdString()
              << " -> " << AnswerName(answer).toStdString() << std::endl;
    return answer;
}

int Replay::run() {
    if (unreadable_) {
        std::cerr << "replay: cannot read " << scriptPath_.toStdString() << std::endl;
        return 1;
    }
    if (!parsed_) {
        std::cerr << parsed_.message() << std::endl;
        return 1;
    }
    const std::vector<ScriptStep>& steps = *parsed_;
    if (!failure_.isEmpty()) {
        std::cerr << "line 0: " << failure_.toStdString() << std::endl;
        return 1;
    }
    int passed = int(firstStep_);
    for (std::size_t i = firstStep_; i < steps.size(); ++i) {
        const ScriptStep& step = steps[i];
        try {
            if (ended_) Fail(QStringLiteral("the program has already ended"));
            runStep(step);
            settle();
            if (!failure_.isEmpty()) Fail(failure_);
        } catch (const StepFailed& e) {
            std::cerr << "line " << step.line << ": " << e.what() << std::endl;
            return 1;
        } catch (const std::exception& e) {
            // What the program let through: the step fails, the program does not abort.
            std::cerr << "line " << step.line << ": unexpected error: " << e.what() << std::endl;
            return 1;
        }
        ++passed;
    }
    if (!answers_.empty()) {
        const int lastLine = steps.empty() ? 0 : steps.back().line;
        std::cerr << "line " << lastLine << ": " << answers_.size()
                  << " queued answer(s) were never used" << std::endl;
        return 1;
    }
    std::cout << "replay: " << passed << " steps passed" << std::endl;
    return 0;
}

void Replay::settle() {
    for (int i = 0; i < 3; ++i) QApplication::processEvents();
    // The runs of the PDF program end before the next step, so that what one tells the
    // operator comes at a fixed point of the script.
    for (QorForm* form : forms_.all())
        for (PdfJobs* jobs : form->findChildren<PdfJobs*>()) jobs->waitForAll(60000);
}

QorForm* Replay::formNamed(const ControlName& control) const {
    QorForm* form = forms_.form(QString::fromStdString(control.form));
    if (!form)
        Fail(QStringLiteral("there is no form %1").arg(QString::fromStdString(control.form)));
    return form;
}

QWidget* Replay::targetNamed(const ScriptWord& word) const {
    const auto control = ParseControlName(word.text);
    if (!control || word.quoted) Fail(QStringLiteral("%1 is not a control name").arg(Word(word)));
    QorForm* form = formNamed(*control);
    if (control->name.empty()) return form;
    QWidget* w = form->control(QString::fromStdString(control->name), control->index);
    if (!w) Fail(QStringLiteral("there is no control %1").arg(Word(word)));
    return w;
}

QWidget* Replay::controlNamed(const ScriptWord& word) const {
    QWidget* w = targetNamed(word);
    if (qobject_cast<QorForm*>(w))
        Fail(QStringLiteral("%1 is a form, not a control").arg(Word(word)));
    return w;
}

void Replay::focusOn(QWidget* control) {
    QWidget* window = control->window();
    if (!control->isVisible()) Fail(QStringLiteral("%1 is not visible").arg(Label(control)));
    if (!control->isEnabled()) Fail(QStringLiteral("%1 is disabled").arg(Label(control)));
    window->raise();
    window->activateWindow();
    settle();
    if (QApplication::activeWindow() != window) QApplication::setActiveWindow(window);
    const FocusWitness witness(control);
    control->setFocus(Qt::OtherFocusReason);
    settle();
    // The focus went in, even if the control's own handling moved it on (expect-focus tells
    // where it went).
    if (!HoldsFocus(control) && !witness.reached())
        Fail(QStringLiteral("%1 does not take the focus").arg(Label(control)));
}

void Replay::doType(QWidget* control, const QString& text) {
    focusOn(control);
    if (QLineEdit* box = TextBoxOf(control)) {
        if (box->isReadOnly()) Fail(QStringLiteral("%1 is read-only").arg(Label(control)));
        box->selectAll();
        box->insert(text);
        if (box->text() != text)
            Fail(QStringLiteral("%1 took %2 instead of %3")
                     .arg(Label(control), Quote(box->text()), Quote(text)));
        return;
    }
    if (auto* plain = qobject_cast<QPlainTextEdit*>(control)) {
        if (plain->isReadOnly()) Fail(QStringLiteral("%1 is read-only").arg(Label(control)));
        plain->selectAll();
        plain->insertPlainText(text);
        return;
    }
    Fail(QStringLiteral("%1 takes no typed text").arg(Label(control)));
}

void Replay::doKeys(QWidget* control, const std::vector<ScriptWord>& keys) {
    focusOn(control);
    // Entered as Enter enters it, also when it had the focus already: its whole text selected.
    if (QLineEdit* box = TextBoxOf(control); box && box->hasFocus()) box->selectAll();
    for (const ScriptWord& word : keys) {
        if (word.quoted) {
            const QString text = Word(word);
            for (int i = 0; i < text.size(); ++i) {
                QString ch = text.mid(i, text.at(i).isHighSurrogate() ? 2 : 1);
                if (ch.size() == 2) ++i;
                const char16_t u = ch.at(0).unicode();
                const Qt::Key key =
                    u < 128 && u >= 32 ? QTest::asciiToKey(static_cast<char>(u)) : Qt::Key_unknown;
                PressKey(control, key, ch);
                settle();
            }
            continue;
        }
        const KeyName* found = nullptr;
        for (const KeyName& k : kKeys)
            if (word.text == k.name) found = &k;
        if (!found) Fail(QStringLiteral("unknown key %1").arg(Word(word)));
        PressKey(control, found->key, QString::fromLatin1(found->text), found->modifiers);
        settle();
        if (!failure_.isEmpty()) return;
    }
}

void Replay::doClick(QWidget* control) {
    if (!control->isVisible()) Fail(QStringLiteral("%1 is not visible").arg(Label(control)));
    if (!control->isEnabled()) Fail(QStringLiteral("%1 is disabled").arg(Label(control)));
    control->window()->activateWindow();
    settle();
    QPoint at = control->rect().center();
    if (qobject_cast<QCheckBox*>(control) || qobject_cast<QRadioButton*>(control)) {
        // The click must land on the box or its caption, not on empty space beside it.
        QStyleOptionButton option;
        option.initFrom(control);
        const auto element = qobject_cast<QCheckBox*>(control) ? QStyle::SE_CheckBoxIndicator
                                                               : QStyle::SE_RadioButtonIndicator;
        at = control->style()->subElementRect(element, &option, control).center();
    }
    QTest::mouseClick(control, Qt::LeftButton, Qt::NoModifier, at);
}

void Replay::doSelect(QWidget* control, int entry) {
    if (!control->isVisible() || !control->isEnabled())
        Fail(QStringLiteral("%1 is not visible or disabled").arg(Label(control)));
    if (auto* combo = qobject_cast<QComboBox*>(control)) {
        if (entry < 0 || entry >= combo->count())
            Fail(QStringLiteral("%1 has %2 entries, no entry %3")
                     .arg(Label(control))
                     .arg(combo->count())
                     .arg(entry));
        focusOn(control);
        combo->setCurrentIndex(entry);
        emit combo->activated(entry);
        emit combo->textActivated(combo->itemText(entry));
        return;
    }
    if (auto* view = qobject_cast<QAbstractItemView*>(control)) {
        QAbstractItemModel* model = view->model();
        if (!model || entry < 0 || entry >= model->rowCount())
            Fail(QStringLiteral("%1 has no entry %2").arg(Label(control)).arg(entry));
        focusOn(control);
        const QModelIndex index = model->index(entry, 0);
        view->setCurrentIndex(index);
        emit view->clicked(index);
        return;
    }
    Fail(QStringLiteral("%1 is not a combo box or list").arg(Label(control)));
}

void Replay::doPick(QWidget* control, int row) {
    QAbstractItemView* view = GridOf(control);
    if (!control->isVisible()) Fail(QStringLiteral("%1 is not visible").arg(Label(control)));
    const int rows = view->model()->rowCount();
    if (row < 1 || row > rows)
        Fail(QStringLiteral("%1 has rows 1 to %2 under the header, no row %3")
                 .arg(Label(control))
                 .arg(rows)
                 .arg(row));
    focusOn(control);
    const QModelIndex index = view->model()->index(row - 1, 0);
    view->setCurrentIndex(index);
    emit view->activated(index);
}

void Replay::doScroll(QWidget* control, int value) {
    auto* bar = qobject_cast<QAbstractSlider*>(control);
    if (!bar) Fail(QStringLiteral("%1 is not a scroll bar").arg(Label(control)));
    if (!bar->isVisible() || !bar->isEnabled())
        Fail(QStringLiteral("%1 is not visible or disabled").arg(Label(control)));
    if (value < bar->minimum() || value > bar->maximum())
        Fail(QStringLiteral("%1 goes from %2 to %3, not to %4")
                 .arg(Label(control))
                 .arg(bar->minimum())
                 .arg(bar->maximum())
                 .arg(value));
    bar->setSliderDown(true);
    bar->setSliderPosition(value);
    bar->setSliderDown(false);
    bar->setValue(value);
}

void Replay::doShot(const QString& file) {
    QWidget* window = QApplication::activeWindow();
    if (!window) {
        for (QorForm* form : forms_.all())
            if (form->isVisible()) window = form;
    }
    if (!window) Fail(QStringLiteral("no window is shown"));
    const QDir base = outputFolder_.isEmpty() ? QDir::current() : QDir(outputFolder_);
    const QFileInfo info(QFileInfo(file).isAbsolute() ? file : base.filePath(file));
    QDir().mkpath(info.absolutePath());
    if (!window->grab().save(info.absoluteFilePath(), "PNG"))
        Fail(QStringLiteral("cannot write %1").arg(info.absoluteFilePath()));
}

void Replay::runStep(const ScriptStep& step) {
    const auto& w = step.words;
    const std::string& verb = w.front().text;
    auto wants = [&](std::size_t count, const char* usage) {
        if (w.size() != count) Fail(QStringLiteral("usage: %1").arg(QLatin1String(usage)));
    };
    auto text = [&](std::size_t i) {
        if (!w[i].quoted)
            Fail(QStringLiteral("the text %1 must be in double quotes").arg(Word(w[i])));
        return Word(w[i]);
    };
    auto expectEqual = [](const QString& what, const QString& found, const QString& expected) {
        if (found != expected)
            Fail(QStringLiteral("%1: expected %2, found %3")
                     .arg(what, Quote(expected), Quote(found)));
    };

    if (verb == "type") {
        wants(3, "type CONTROL \"TEXT\"");
        doType(controlNamed(w[1]), text(2));
    } else if (verb == "key") {
        if (w.size() < 3) Fail(QStringLiteral("usage: key CONTROL KEY..."));
        doKeys(controlNamed(w[1]), {w.begin() + 2, w.end()});
    } else if (verb == "click") {
        wants(2, "click CONTROL");
        doClick(controlNamed(w[1]));
    } else if (verb == "select") {
        wants(3, "select CONTROL N");
        doSelect(controlNamed(w[1]), NumberArgument(w[2], "the entry"));
    } else if (verb == "pick") {
        wants(3, "pick CONTROL ROW");
        doPick(controlNamed(w[1]), NumberArgument(w[2], "the row"));
    } else if (verb == "scroll") {
        wants(3, "scroll CONTROL N");
        doScroll(controlNamed(w[1]), NumberArgument(w[2], "the value"));
    } else if (verb == "focus") {
        wants(2, "focus CONTROL");
        focusOn(controlNamed(w[1]));
    } else if (verb == "close") {
        wants(2, "close FORM");
        auto* form = qobject_cast<QorForm*>(targetNamed(w[1]));
        if (!form) Fail(QStringLiteral("%1 is not a form").arg(Word(w[1])));
        if (!form->isVisible()) Fail(QStringLiteral("%1 is not shown").arg(Word(w[1])));
        form->close();
    } else if (verb == "answer") {
        wants(2, "answer Yes|No|Ok");
        if (w[1].text == "Yes")
            answers_.push_back(MsgAnswer::Yes);
        else if (w[1].text == "No")
            answers_.push_back(MsgAnswer::No);
        else if (w[1].text == "Ok")
            answers_.push_back(MsgAnswer::Ok);
        else
            Fail(QStringLiteral("answer Yes, No or Ok, not %1").arg(Word(w[1])));
    } else if (verb == "expect") {
        wants(3, "expect CONTROL \"TEXT\"");
        expectEqual(Word(w[1]), ShownText(controlNamed(w[1])), text(2));
    } else if (verb == "expect-cell") {
        wants(5, "expect-cell CONTROL ROW COL \"TEXT\"");
        QAbstractItemView* view = GridOf(controlNamed(w[1]));
        const int row = NumberArgument(w[2], "the row");
        const int col = NumberArgument(w[3], "the column");
        const QAbstractItemModel* model = view->model();
        if (row < 0 || row > model->rowCount() || col < 0 || col >= model->columnCount())
            Fail(QStringLiteral("%1 has no cell %2,%3").arg(Word(w[1])).arg(row).arg(col));
        const QString found = row == 0 ? model->headerData(col, Qt::Horizontal).toString()
                                       : model->index(row - 1, col).data().toString();
        expectEqual(QStringLiteral("%1 cell %2,%3").arg(Word(w[1])).arg(row).arg(col), found,
                    text(4));
    } else if (verb == "expect-rows") {
        wants(3, "expect-rows CONTROL N");
        QAbstractItemView* view = GridOf(controlNamed(w[1]));
        const int rows = view->model()->rowCount() + 1;
        const int expected = NumberArgument(w[2], "the row count");
        if (rows != expected)
            Fail(QStringLiteral("%1: expected %2 rows, found %3")
                     .arg(Word(w[1]))
                     .arg(expected)
                     .arg(rows));
    } else if (verb == "expect-visible" || verb == "expect-hidden") {
        wants(2, "expect-visible|expect-hidden TARGET");
        const bool visible = targetNamed(w[1])->isVisible();
        if (visible != (verb == "expect-visible"))
            Fail(QStringLiteral("%1 is %2").arg(Word(w[1]), visible ? "visible" : "hidden"));
    } else if (verb == "expect-focus") {
        wants(2, "expect-focus CONTROL");
        QWidget* control = controlNamed(w[1]);
        if (!HoldsFocus(control)) {
            QWidget* focused = QApplication::focusWidget();
            Fail(QStringLiteral("%1 has not the focus; %2 has it")
                     .arg(Word(w[1]), focused ? Label(focused) : QStringLiteral("nobody")));
        }
    } else if (verb == "expect-message") {
        wants(2, "expect-message \"TEXT\"");
        expectEqual(QStringLiteral("last message"), lastMessage_, text(1));
    } else if (verb == "expect-title") {
        wants(3, "expect-title FORM \"TEXT\"");
        auto* form = qobject_cast<QorForm*>(targetNamed(w[1]));
        if (!form) Fail(QStringLiteral("%1 is not a form").arg(Word(w[1])));
        expectEqual(QStringLiteral("title of %1").arg(Word(w[1])), form->windowTitle(), text(2));
    } else if (verb == "shot") {
        wants(2, "shot \"FILE.png\"");
        doShot(text(1));
    } else {
        Fail(QStringLiteral("unknown step %1").arg(QString::fromStdString(verb)));
    }
}

}  // namespace qorvana
