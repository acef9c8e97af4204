#pragma once
// The registration form qorxord ("Estremi movimento contabile"): the journal entry of the
// document just posted, proposed by the confirmation cycle, corrected by the operator and
// then registered into the accounts and the journal, or left.

#include <array>

#include "forms/common/qor_form.h"
#include "journal/journal_entry.h"
#include "journal/journal_posting.h"

class QCloseEvent;
class QLabel;
class QLineEdit;
class QListView;
class QPushButton;

namespace qorvana {

class AccountListModel;
class DatePicker;
class TypedNumberBoxes;

class RegistrationForm : public QorForm {
    Q_OBJECT
  public:
    static constexpr int kLines = JournalEntry::kLines;

    RegistrationForm(Session& session, FormSet& forms);

    // Shows the proposed entry; `postedAt` is the posting moment its journal record keeps.
    void propose(const JournalEntry& entry, double postedAt);
    // The entry as the controls hold it.
    JournalEntry entry() const;

    void activate() override;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

  private:
    void buildControls();
    QLineEdit* addBox(const QString& name, int line, int x, int width, int maxLength);
    void setLine(int line, const EntryLine& value);
    void clearLine(int line);
    void copyLine(int from, int to);
    bool lineInUse(int line) const;
    std::string codeOf(int line) const;

    bool onKey(QLineEdit* box, int line, int key);
    void onCodeFocusLost(QLineEdit* box, int digits);
    void onCodeTyped(int line, int part);
    void confirmCode(int line);
    void onNameFocus(int line);
    void onSearchTyped();
    void onSearchEnter();
    void takeListItem(int row);
    void onAmountFocus(int line);
    void showAccountName(int line);
    void updateImbalance();
    void selectFirst(const QString& prefix, int from);

    void insertLine();
    void deleteLine();
    void registerEntry();
    // Esci and the close box: asks first when the operator changed the proposed entry.
    void exit();
    void leave();

    double postedAt_ = 0;
    JournalEntry shownProposal_;  // the entry as proposed, read back from the controls
    int currentLine_ = 0;
    int searchLine_ = -1;
    bool checking_ = false;

    DatePicker* entryDate_ = nullptr;   // text2
    QLineEdit* description_ = nullptr;  // Text1(0)
    QLineEdit* reference_ = nullptr;    // Text1(1), the document
    // cn1, cn2, cn3 (0..9): the parts of each line's account code, 2, 2 and 4 digits.
    std::array<QLineEdit*, kLines> codePart1_{};
    std::array<QLineEdit*, kLines> codePart2_{};
    std::array<QLineEdit*, kLines> codePart3_{};
    std::array<QLineEdit*, kLines> ds_{};
    std::array<QLineEdit*, kLines> dare_{};
    std::array<QLineEdit*, kLines> avere_{};
    QLineEdit* ccerca_ = nullptr;
    QListView* accountList_ = nullptr;  // List1
    AccountListModel* model_ = nullptr;
    QLabel* imbalance_ = nullptr;         // Label1(5)
    QLabel* imbalanceCaption_ = nullptr;  // Label1(7)
    TypedNumberBoxes* amounts_;           // dare and avere of every line
};

}  // namespace qorvana
