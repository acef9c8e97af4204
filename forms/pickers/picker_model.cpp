#include "forms/pickers/picker_model.h"

#include <algorithm>

#include "forms/common/qt_text.h"

namespace qorvana {

PickerModel::PickerModel(SourceKind kind, QObject* parent)
    : QAbstractTableModel(parent), kind_(kind) {
    rows_.resize(kMinimumRows - 1);
}

void PickerModel::setRows(std::vector<SourceRow> rows) {
    beginResetModel();
    listed_ = static_cast<int>(rows.size());
    rows_ = std::move(rows);
    if (rows_.size() < kMinimumRows - 1) rows_.resize(kMinimumRows - 1);
    endResetModel();
}

void PickerModel::setRowColours(bool alternate, QColor first, QColor second) {
    alternate_ = alternate;
    first_ = first;
    second_ = second;
    emit dataChanged(index(0, 0), index(rowCount() - 1, columnCount() - 1));
}

void PickerModel::flip(int row) {
    if (row < 0 || row >= rowCount()) return;
    std::string& mark = rows_[static_cast<std::size_t>(row)].cells[2];
    mark = mark == kYes ? kNo : kYes;
    emit dataChanged(index(row, 2), index(row, 2));
}

void PickerModel::markAll(std::string_view mark) {
    for (auto& row : rows_)
        if (row.cells[2] == kYes || row.cells[2] == kNo) row.cells[2] = mark;
    emit dataChanged(index(0, 2), index(rowCount() - 1, 2));
}

std::vector<int> PickerModel::chosenRecords() const {
    std::vector<int> records;
    for (int r = 0; r < listed_; ++r) {
        const SourceRow& row = rows_[static_cast<std::size_t>(r)];
        if (row.cells[2] == kYes && row.record > 0) records.push_back(row.record);
    }
    return records;
}

int PickerModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(rows_.size());
}

int PickerModel::columnCount(const QModelIndex& parent) const {
    if (parent.isValid()) return 0;
    return kind_ == SourceKind::Quotes ? 4 : 5;
}

QVariant PickerModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid()) return {};
    switch (role) {
        case Qt::DisplayRole:
            return Q(rowAt(index.row()).cells[static_cast<std::size_t>(index.column())]);
        case Qt::BackgroundRole:
            if (!alternate_) return {};
            return (index.row() + 1) % 2 == 0 ? first_ : second_;
        case Qt::TextAlignmentRole:
            if (index.column() == 2 && IsMultiChoice(kind_))
                return QVariant::fromValue(Qt::AlignCenter);
            return QVariant::fromValue(Qt::AlignLeft | Qt::AlignVCenter);
        default:
            return {};
    }
}

QVariant PickerModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || section < 0 || section >= columnCount()) return {};
    if (role == Qt::TextAlignmentRole)
        return QVariant::fromValue(
            (section == 2 && IsMultiChoice(kind_) ? Qt::AlignHCenter : Qt::AlignLeft) |
            Qt::AlignVCenter);
    if (role != Qt::DisplayRole) return {};
    static const char* const kHeaders[4][3] = {{"DDT", "Data", "Fattura?"},
                                               {"Ricevuta", "Data", "Fattura?"},
                                               {"Fattura", "Data", "Cliente"},
                                               {"Preventivo", "Data", "Descrizione"}};
    if (section > 2) return QString();
    return QString::fromUtf8(kHeaders[static_cast<int>(kind_)][section]);
}

}  // namespace qorvana
