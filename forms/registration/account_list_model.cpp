#include "forms/registration/account_list_model.h"

#include "forms/common/qt_text.h"

namespace qorvana {

void AccountListModel::setAccounts(AccountList accounts) {
    beginResetModel();
    accounts_ = std::move(accounts);
    endResetModel();
}

int AccountListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(accounts_.size());
}

QVariant AccountListModel::data(const QModelIndex& index, int role) const {
    if (role != Qt::DisplayRole || !index.isValid() || index.row() >= rowCount()) return {};
    return Q(accounts_.entries()[static_cast<std::size_t>(index.row())].item);
}

}  // namespace qorvana
