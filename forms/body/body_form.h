#pragma once
// The body form qoremfx: the customer, the grid of twelve rows over the 500 document lines,
// the article list, the VAT chooser, the totals (VAT, withholding and the amount due among
// them), the undoing of a line deletion, and the hand-over to the header form and back.

#include <array>
#include <optional>

#include "articles/article_lookup.h"
#include "core/session_codes.h"
#include "document/document_math.h"
#include "document/document_setup.h"
#include "document/line_table.h"
#include "forms/body/confirm_cycle_form.h"
#include "forms/common/qor_form.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QListView;
class QPushButton;
class QRadioButton;

namespace qorvana {

class ArticleListModel;
class CustomerLabel;
class LineGrid;

class BodyForm : public QorForm {
    Q_OBJECT
  public:
    BodyForm(Session& session, FormSet& forms);

    void activate() override;

    // The draft's lines and figures, which this form keeps up to date.
    LineTable& lines() { return lines_; }
    const LineTable& lines() const { return lines_; }
    const DocumentFigures& figures() const { return figures_; }
    // The company's VAT table, which the lines are computed with.
    const VatTable& vatTable() const;
    bool vatInclusive() const;  // scorporo ticked
    void setVatInclusive(bool on);
    bool emailRequested() const;  // postael ticked
    // The agent matched on confirmation (record of qorvana.age); nullopt when none.
    std::optional<int> agentRecord() const { return agentRecord_; }
    const DocumentSetup& setup() const { return setup_; }

    // Recomputes the document and refreshes the totals; false (with a message) when a line
    // holds a number that makes the totals undefined.
    bool recompute();
    // After an import: recomputes, scrolls so that the last line in use shows, focuses `artic`.
    void showImportedLines();
    // The confirmation cycle, which also shows the document's preview from the header.
    ConfirmCycle& cycle() { return cycle_; }

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
    void startNewDocument();
    void leave();
    void confirm();
    void insertLine();
    void deleteLine();
    // Puts the line deleted last back, as long as nothing changed since; false when none.
    bool undoDeletion();
    // A change to the document: the deletion can no longer be undone.
    void forgetDeletion();
    void reorderLines();
    void enableArticleList();
    // Builds the code-first article list and enables List1; false (told) when unreadable.
    bool switchArticleListOn();
    bool buildArticleList(ArticleListForm form);
    void selectListEntry(int position);
    void showPicker(const QString& form, bool hideBody);

    // What the grid leaves to the form: the article list and the VAT chooser.
    void onArticEnter(int row);
    void onArticTyped(int row);
    void onDescriptionF1(int row);
    void onDescriptionTyped(int row);
    void showVatChooser(int row);
    void onVatChosen(int index);
    bool onListKey(QObject* watched, QEvent* event);
    void showStock(int article);

    // The pension fund's line brought up to date (document/pension_fund.h), after every other
    // line with `last`, and shown.
    void keepFundLine(bool last);
    bool takeArticle(int row, int article);
    ArticleTerms articleTerms() const;
    void writeWeight();
    // postael for a new document: ticked when the customer has an e-mail address; disabled,
    // saying why, when PDF copies are switched off.
    void proposeEmail();
    // After the operator ticks or unticks scorporo: how the typed prices are now read, and the
    // new total.
    void tellPricesReadAgain();

    LineTable& lines_;          // the draft's lines
    DocumentFigures& figures_;  // the draft's figures
    ConfirmCycle cycle_;
    DocumentSetup setup_;
    std::optional<int> agentRecord_;
    bool loaded_ = false;
    bool countReported_ = false;  // a damaged article count is said once per run
    bool searching_ = false;      // the article list follows what is typed
    int stockShown_ = 0;
    std::optional<int> listMatch_;
    // The line deleted last and where it stood, until the next change.
    struct DeletedLine {
        int line = 0;
        DocumentLine content;
    };
    std::optional<DeletedLine> deleted_;

    LineGrid* grid_ = nullptr;
    QListView* articleList_ = nullptr;  // List1
    ArticleListModel* listModel_ = nullptr;
    QLabel* stockLabel_ = nullptr;     // listx: the stock of the article in the list
    QComboBox* vatChooser_ = nullptr;  // Combo1
    CustomerLabel* cliente_ = nullptr;
    QLabel* taxableTotal_ = nullptr;             // tota(0)
    QLabel* documentTotal_ = nullptr;            // tota(1)
    QLabel* totalQuantity_ = nullptr;            // tota(2)
    QLabel* vatTotal_ = nullptr;                 // imposta
    QLabel* withholding_ = nullptr;              // ritenuta
    QLabel* amountDue_ = nullptr;                // dovuto
    QPushButton* restoreLine_ = nullptr;         // ripristina
    QCheckBox* vatInclusiveBox_ = nullptr;       // scorporo: prices include VAT
    QCheckBox* barcodeEntry_ = nullptr;          // barcode: codes are typed as bar codes
    QCheckBox* sendByEmail_ = nullptr;           // postael
    std::array<QRadioButton*, 2> priceLists_{};  // prezz(0), prezz(1)
    QPushButton* quoteButton_ = nullptr;         // comando(7)
    QPushButton* articleListButton_ = nullptr;   // command3d3
    QPushButton* reorder_ = nullptr;             // riordina
    QLabel* picture_ = nullptr;                  // Picture1, hidden at each activation
};

}  // namespace qorvana
