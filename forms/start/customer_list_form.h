#pragma once
// The customer list qorsel: customers in name order, filtered by the text the start form had
// in its name box, sortable by column; the search box `ricerca` narrows them as the operator
// types, by name, town or VAT number anywhere. Picking a row hands the customer back to the
// start form; `indice` closes the list without a choice.

#include "forms/common/qor_form.h"

class QCloseEvent;
class QLineEdit;
class QPushButton;
class QTableView;

namespace qorvana {

class CustomerListModel;

class CustomerListForm : public QorForm {
    Q_OBJECT
  public:
    CustomerListForm(Session& session, FormSet& forms);

    // Puts a text into the filter box (selnome) before the list is shown.
    void setFilter(const QString& text);

    // Fills the grid from the name index, filtered by `selnome`.
    void activate() override;

  protected:
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void fillGrid();
    void colourRows();
    void sortBy(int column);
    void pick(const QModelIndex& index);
    void closeWithoutChoice();
    void placeHeaderButtons();
    void backToStart();

    // The search box's text typed: the rows narrowed to it.
    void narrow(const QString& text);

    QLineEdit* selnome_ = nullptr;
    QLineEdit* ricerca_ = nullptr;
    QTableView* elenco_ = nullptr;
    CustomerListModel* model_ = nullptr;
    QPushButton* sortButtons_[5] = {};  // srx, over the list's columns
    QPushButton* indice_ = nullptr;
    int listedRows_ = 0;
};

}  // namespace qorvana
