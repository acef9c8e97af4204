#pragma once
// The customer list grid's rows: the customers listed (in name order until sorted), or those
// of them a search text narrows to, followed by empty filler rows up to 25 data rows, six
// columns, alternate row colours.

#include <QAbstractTableModel>
#include <QColor>
#include <optional>
#include <string>
#include <vector>

#include "customers/customer_index.h"

namespace qorvana {

class CustomerListModel : public QAbstractTableModel {
    Q_OBJECT
  public:
    static constexpr int kColumns = 6;
    static constexpr int kMinimumRows = 26;  // header row included

    using QAbstractTableModel::QAbstractTableModel;

    void setRows(CustomerList rows);
    // Shows only the customers whose name, town or VAT number holds `text` anywhere (all of
    // them for an empty text), in the listed order.
    void narrow(const std::string& text);
    // Alternate row colours (row colour 1 on the first data row); off: no background.
    void setRowColours(bool alternate, QColor first, QColor second);
    // Sorts the listed customers by column 0..5, ascending; filler rows stay at the end.
    void sortListed(int column);
    // Grid rows in use, the header row included.
    int listedRows() const { return shownRows() + 1; }
    // The customer of data row `row` (0-based); nullptr for a filler row.
    const CustomerListRow* customerAt(int row) const;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

  private:
    int shownRows() const;
    // The positions in rows_ the search text keeps.
    void keepNarrowed();

    CustomerList rows_;
    std::string narrowedBy_;
    std::optional<std::vector<std::size_t>> shown_;  // none: every row
    bool alternate_ = false;
    QColor first_;
    QColor second_;
};

}  // namespace qorvana
