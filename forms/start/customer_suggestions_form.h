#pragma once
// The start form's drop-down under the name box: as the operator types, the customers whose
// name, town or VAT number holds the text anywhere, in name order. The keyboard walks it (the
// form passes on the name box's cursor keys); a click takes an entry. It reads the customers
// when a search begins (the drop-down closed) and narrows them in memory as the text grows.

#include <QListView>
#include <vector>

#include "customers/customer_index.h"

class QLineEdit;
class QStringListModel;

namespace qorvana {

class DataFiles;

class CustomerSuggestions : public QListView {
    Q_OBJECT
  public:
    // The most entries shown: the operator types more to narrow them.
    static constexpr std::size_t kMostShown = 50;

    // `box`: the name box it opens under; its parent is the form.
    CustomerSuggestions(const DataFiles& files, QLineEdit* box, QWidget* form);

    // Shows the customers the text suggests, none walked onto; closes when none or when the
    // text is empty. RecordIoError when the customers cannot be read.
    void suggest(const QString& text);
    // Moves `by` entries (Down 1, Up -1, a page ±10) from the entry walked onto, no further
    // than the last; up from the first, or from none, none is walked onto.
    void walk(int by);
    // The customer record of the entry walked onto; 0 when none.
    int walkedRecord() const;
    // Closes the drop-down; the next text typed begins a search.
    void close();

  signals:
    // An entry was clicked: the customer record.
    void chosen(int record);

  private:
    void place(int entries);

    const DataFiles& files_;
    QLineEdit* box_;
    QStringListModel* model_;
    bool searching_ = false;    // a search began: the customers are read
    CustomerList pool_;         // every customer, read when the search began
    std::vector<int> records_;  // the record of each entry shown
};

}  // namespace qorvana
