#pragma once
// List1 of the registration form: one row per account, the item text of the account list.

#include <QAbstractListModel>

#include "journal/account_list.h"

namespace qorvana {

class AccountListModel : public QAbstractListModel {
    Q_OBJECT
  public:
    using QAbstractListModel::QAbstractListModel;

    void setAccounts(AccountList accounts);
    const AccountList& accounts() const { return accounts_; }

    int rowCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;

  private:
    AccountList accounts_;
};

}  // namespace qorvana
