#pragma once
// The body form qoremfx: twelve visible rows over the 500 document lines, the article list,
// the VAT chooser, the totals, and the hand-over to the header form and back.

#include <array>
#include <optional>

#include "articles/article_lookup.h"
#include "core/session_codes.h"
#include "document/document_math.h"
#include "document/document_setup.h"
#include "document/line_table.h"
#include "forms/body/confirm_cycle_form.h"
#include "forms/common/qor_form.h"
#include "print/print_settings.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QListView;
class QPushButton;
class QRadioButton;
class QScrollBar;

namespace qorvana {

class ArticleListModel;
class TypedNumberBoxes;

class BodyForm : public QorForm {
    Q_OBJECT
  public:
    static constexpr int kRows = 12;

    BodyForm(Session& session, FormSet& forms);

    void activate() override;

    // The draft's lines and figures, which this form keeps up to date.
    LineTable& lines() { return lines_; }
    const LineTable& lines() const { return lines_; }
    const DocumentFigures& figures() const { return figures_; }
    const VatTable& vatTable() const { return printSettings_.vat; }
    // The print tables read when the form loaded.
    const PrintSettings& printSettings() const { return printSettings_; }
    bool vatInclusive() const;  // scorporo ticked
    void setVatInclusive(bool on);
    bool emailRequested() const;  // postael ticked
    int customerRecord() const { return customerRecord_; }
    // The agent matched on confirmation (record of qorvana.age); nullopt when none.
    std::optional<int> agentRecord() const { return agentRecord_; }
    bool accountingRequested() const { return printSettings_.accounting; }
    const DocumentSetup& setup() const { return setup_; }

    // Recomputes the document and refreshes the totals; false (with a message) when a line
    // holds a number that makes the totals undefined.
    bool recompute();
    // Shows the lines from the scroll offset in the twelve rows.
    void refreshRows();
    // Line shown in row r.
    int lineOfRow(int row) const;
    // After an import: recomputes, scrolls so that the last line in use shows, focuses `artic`.
    void showImportedLines();

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

    // Actions of the activation: the confirmation cycle, the print loop, the import of
    // source documents.
    void runConfirmCycle();
    void runPrintLoop();
    void runImport(ReturnAction action);

  private:
    void loadOnce();
    void buildControls();
    QLineEdit* addBox(const QString& name, int row, int x, int width, int maxLength);
    void startNewDocument();
    void leave();
    void confirm();
    void insertLine();
    void deleteLine();
    void reorderLines();
    void enableArticleList();
    bool buildArticleList(ArticleListForm form);
    void selectListEntry(int position);
    void showPicker(const QString& form, bool hideBody);

    // Row handlers.
    void onArticEnter(int row);
    void onArticTyped(int row);
    void onDescriptionF1(int row);
    void onDescriptionTyped(int row);
    void onEnterMove(QLineEdit* box, int row);
    // The quantity, price or discount of the line shown in `row` that `box` edits.
    double lineValue(const QLineEdit* box, int row) const;
    void onNumberChanged(QLineEdit* box, int row);
    void onDiscountChanged(QLineEdit* box, int row, int which);
    void onTextChanged(QLineEdit* box, int row);
    void showVatChooser(int row);
    void onVatChosen(int index);
    bool onListKey(QObject* watched, QEvent* event);
    void showStock(int article);

    bool takeArticle(int row, int article);
    ArticleTerms articleTerms() const;
    void writeWeight();

    LineTable& lines_;          // the draft's lines
    DocumentFigures& figures_;  // the draft's figures
    ConfirmCycle cycle_;
    TypedNumberBoxes* numbers_;  // quantita, prezzo, sc1, sc2 of every row
    PrintSettings printSettings_;
    DocumentSetup setup_;
    int customerRecord_ = 0;
    std::optional<int> agentRecord_;
    bool loaded_ = false;
    bool countReported_ = false;  // a damaged article count is said once per run
    bool refreshing_ = false;
    bool searching_ = false;
    int currentRow_ = 0;
    int stockShown_ = 0;
    std::optional<int> listMatch_;

    std::array<QLineEdit*, kRows> artic_{};
    std::array<QLineEdit*, kRows> ds_{};
    std::array<QLineEdit*, kRows> um_{};
    std::array<QLineEdit*, kRows> quantita_{};
    std::array<QLineEdit*, kRows> prezzo_{};
    std::array<QLineEdit*, kRows> sc1_{};
    std::array<QLineEdit*, kRows> sc2_{};
    std::array<QLineEdit*, kRows> civ_{};
    QScrollBar* vscroll_ = nullptr;
    QListView* list1_ = nullptr;
    ArticleListModel* listModel_ = nullptr;
    QLabel* listx_ = nullptr;
    QComboBox* combo1_ = nullptr;
    std::array<QLabel*, 3> tota_{};
    QCheckBox* scorporo_ = nullptr;
    QCheckBox* barcode_ = nullptr;
    QCheckBox* postael_ = nullptr;
    std::array<QRadioButton*, 2> prezz_{};
    std::array<QPushButton*, 8> comando_{};
    QPushButton* command3d3_ = nullptr;
    QPushButton* riordina_ = nullptr;
    QLabel* picture1_ = nullptr;
};

}  // namespace qorvana
