#pragma once
// The picker grid `elenco`: the listed documents followed by empty filler rows up to 27 data
// rows (28 with the header), the kind's headers and alignment, alternate row colours.

#include <QAbstractTableModel>
#include <QColor>
#include <vector>

#include "sources/source_documents.h"

namespace qorvana {

class PickerModel : public QAbstractTableModel {
    Q_OBJECT
  public:
    static constexpr int kMinimumRows = 28;  // header row included

    explicit PickerModel(SourceKind kind, QObject* parent = nullptr);

    void setRows(std::vector<SourceRow> rows);
    // Alternate row colours: colour 1 on even grid rows (the header is row 0); off: none.
    void setRowColours(bool alternate, QColor first, QColor second);
    // Data row `row` (0-based): listed or filler.
    const SourceRow& rowAt(int row) const { return rows_.at(static_cast<std::size_t>(row)); }
    int listedRows() const { return listed_; }
    // Column 2 of data row `row` becomes "NO" when it is "SI", else "SI".
    void flip(int row);
    // Every row whose column 2 holds "SI" or "NO" gets `mark`; empty filler rows stay empty.
    void markAll(std::string_view mark);
    // Record numbers of the rows marked "SI" that name a record, in grid order.
    std::vector<int> chosenRecords() const;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

  private:
    SourceKind kind_;
    std::vector<SourceRow> rows_;
    int listed_ = 0;
    bool alternate_ = false;
    QColor first_;
    QColor second_;
};

// True for the delivery-note and receipt pickers (SI/NO marks, `ragg`, select all/none).
inline bool IsMultiChoice(SourceKind kind) {
    return kind == SourceKind::DeliveryNotes || kind == SourceKind::Receipts;
}

}  // namespace qorvana
