#include "forms/body/article_list_model.h"

namespace qorvana {

void ArticleListModel::setList(ArticleList list) {
    beginResetModel();
    list_ = std::move(list);
    endResetModel();
}

int ArticleListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : list_.size();
}

QVariant ArticleListModel::data(const QModelIndex& index, int role) const {
    if (role != Qt::DisplayRole || !index.isValid() || index.row() >= list_.size()) return {};
    return QString::fromStdString(list_.text(index.row()));
}

}  // namespace qorvana
