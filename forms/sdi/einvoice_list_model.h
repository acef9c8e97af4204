#pragma once
// The e-invoice window's grid: one row per e-invoice of the state store, filtered by state;
// columns file, number, date, customer, state, last notification.

#include <QAbstractTableModel>
#include <optional>
#include <vector>

#include "fatturapa/sdi_state.h"

namespace qorvana {

class EInvoiceListModel : public QAbstractTableModel {
    Q_OBJECT
  public:
    using QAbstractTableModel::QAbstractTableModel;

    // Shows the store's e-invoices in the given state, or all of them; newest first.
    void setStore(const SdiStore& store, std::optional<EInvoiceState> filter);
    // The e-invoice of data row `row`; nullptr outside the rows.
    const EInvoiceEntry* entryAt(int row) const;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

  private:
    std::vector<EInvoiceEntry> rows_;
};

}  // namespace qorvana
