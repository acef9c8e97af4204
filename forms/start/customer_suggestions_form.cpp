#include "forms/start/customer_suggestions_form.h"

#include <QLineEdit>
#include <QStringListModel>

#include "forms/common/qt_text.h"
#include "forms/common/work_progress.h"

namespace qorvana {
namespace {

constexpr int kRowsShown = 10;

// "NAME - Town - VAT number", without the parts the customer lacks.
QString EntryText(const CustomerList& list, const CustomerListRow& row) {
    QStringList parts;
    for (const std::size_t k : {0, 3, 4}) {
        const std::string_view text = list.column(row, k);
        if (!text.empty()) parts << QString::fromUtf8(text.data(), qsizetype(text.size()));
    }
    return parts.join(QStringLiteral(" - "));
}

}  // namespace

CustomerSuggestions::CustomerSuggestions(const DataFiles& files, QLineEdit* box, QWidget* form)
    : QListView(form), files_(files), box_(box), model_(new QStringListModel(this)) {
    setModel(model_);
    // The focus stays in the name box, which passes its cursor keys on.
    setFocusPolicy(Qt::NoFocus);
    setUniformItemSizes(true);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionMode(QAbstractItemView::SingleSelection);
    hide();
    connect(this, &QListView::clicked, this, [this](const QModelIndex& index) {
        if (index.isValid() && index.row() < static_cast<int>(records_.size()))
            emit chosen(records_[static_cast<std::size_t>(index.row())]);
    });
}

void CustomerSuggestions::suggest(const QString& text) {
    if (text.trimmed().isEmpty()) {
        close();
        return;
    }
    if (!searching_) {
        WorkProgress progress(parentWidget(), QStringLiteral("Lettura dei clienti..."));
        pool_ = CustomerIndex(files_).list("", progress.report());
        searching_ = true;
    }
    const std::vector<std::size_t> found = pool_.holding(S(text), kMostShown);
    QStringList entries;
    records_.clear();
    for (const std::size_t i : found) {
        entries << EntryText(pool_, pool_[i]);
        records_.push_back(pool_[i].record);
    }
    model_->setStringList(entries);
    setCurrentIndex(QModelIndex());
    if (entries.isEmpty()) {
        hide();  // the customers read stay for the next letter
        return;
    }
    place(static_cast<int>(entries.size()));
    show();
    raise();
}

void CustomerSuggestions::place(int entries) {
    const QPoint under = box_->mapTo(parentWidget(), QPoint(0, box_->height()));
    const int rows = std::min(entries, kRowsShown);
    const int rowHeight = std::max(sizeHintForRow(0), fontMetrics().height());
    setGeometry(under.x(), under.y(), box_->width(), rows * rowHeight + 2 * frameWidth());
}

void CustomerSuggestions::walk(int by) {
    const int last = model_->rowCount() - 1;
    const int from = currentIndex().isValid() ? currentIndex().row() : -1;
    const int to = std::min(from + by, last);
    if (to < 0) {
        setCurrentIndex(QModelIndex());
        clearSelection();
        return;
    }
    setCurrentIndex(model_->index(to));
    scrollTo(currentIndex());
}

int CustomerSuggestions::walkedRecord() const {
    const QModelIndex index = currentIndex();
    if (!isVisible() || !index.isValid() || index.row() >= static_cast<int>(records_.size()))
        return 0;
    return records_[static_cast<std::size_t>(index.row())];
}

void CustomerSuggestions::close() {
    hide();
    searching_ = false;
    pool_ = CustomerList();
    records_.clear();
    model_->setStringList({});
}

}  // namespace qorvana
