#include "forms/sdi/einvoice_list_model.h"

#include "forms/common/qt_text.h"

namespace qorvana {
namespace {

constexpr int kColumns = 6;

QString LastNotification(const EInvoiceEntry& e) {
    if (e.notifications.empty()) {
        if (e.sendings.empty()) return {};
        return QStringLiteral("inviata il %1").arg(Q(DisplayMoment(e.sendings.back().time)));
    }
    const NotificationRecord& n = e.notifications.back();
    return Q(KindCode(n.kind) + " del " +
             DisplayMoment(n.moment.empty() ? n.recordedAt : n.moment));
}

}  // namespace

void EInvoiceListModel::setStore(const SdiStore& store, std::optional<EInvoiceState> filter) {
    beginResetModel();
    rows_.clear();
    for (auto e = store.entries.rbegin(); e != store.entries.rend(); ++e)
        if (!filter || StateOf(*e) == *filter) rows_.push_back(*e);
    endResetModel();
}

const EInvoiceEntry* EInvoiceListModel::entryAt(int row) const {
    if (row < 0 || row >= static_cast<int>(rows_.size())) return nullptr;
    return &rows_[static_cast<std::size_t>(row)];
}

int EInvoiceListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(rows_.size());
}

int EInvoiceListModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : kColumns;
}

QVariant EInvoiceListModel::data(const QModelIndex& index, int role) const {
    const EInvoiceEntry* e = entryAt(index.row());
    if (!e || role != Qt::DisplayRole) return {};
    switch (index.column()) {
        case 0:
            return Q(e->fileName);
        case 1:
            return Q(e->number);
        case 2:
            return Q(DisplayMoment(e->date));
        case 3:
            return Q(e->customer);
        case 4:
            return Q(StateLine(*e));
        default:
            return LastNotification(*e);
    }
}

QVariant EInvoiceListModel::headerData(int section, Qt::Orientation orientation, int role) const {
    static const char* kTitles[kColumns] = {"File",    "Numero", "Data",
                                            "Cliente", "Stato",  "Ultima notifica"};
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 ||
        section >= kColumns)
        return {};
    return QString::fromUtf8(kTitles[section]);
}

}  // namespace qorvana
