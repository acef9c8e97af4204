#pragma once
// List1's rows over the core article list: the entries are built in one pass by the core and
// shown through this model, so a list of 32,767 articles costs no widget item per row.

#include <QAbstractListModel>

#include "articles/article_lookup.h"

namespace qorvana {

class ArticleListModel : public QAbstractListModel {
    Q_OBJECT
  public:
    using QAbstractListModel::QAbstractListModel;

    // Replaces the whole list at once.
    void setList(ArticleList list);
    const ArticleList& list() const { return list_; }

    int rowCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;

  private:
    ArticleList list_;
};

}  // namespace qorvana
