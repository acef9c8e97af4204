#pragma once
// The customer list grid's rows: the customers listed (in name order until sorted) followed
// by empty filler rows up to 25 data rows, six columns, alternate row colours.

#include <QAbstractTableModel>
#include <QColor>

#include "customers/customer_index.h"

namespace qorvana {

class CustomerListModel : public QAbstractTableModel {
    Q_OBJECT
  public:
    static constexpr int kColumns = 6;
    static constexpr int kMinimumRows = 26;  // header row included

    using QAbstractTableModel::QAbstractTableModel;

    void setRows(CustomerList rows);
    // Alternate row colours (row colour 1 on the first data row); off: no background.
    void setRowColours(bool alternate, QColor first, QColor second);
    // Sorts the listed customers by column 0..5, ascending; filler rows stay at the end.
    void sortListed(int column);
    // Grid rows in use, the header row included.
    int listedRows() const { return static_cast<int>(rows_.size()) + 1; }
    // The customer of data row `row` (0-based); nullptr for a filler row.
    const CustomerListRow* customerAt(int row) const;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

  private:
    CustomerList rows_;
    bool alternate_ = false;
    QColor first_;
    QColor second_;
};

}  // namespace qorvana
