#pragma once
// The company's posting lock taken for a write the operator started (posting a document or
// a journal entry, writing the FatturaPA file). While another workstation holds it beyond
// PostingLock::kWait, the operator is told and may try again, so the program never waits
// silently; the lock is never held while the question is shown.

#include <optional>

#include "core/posting_lock.h"

class QWidget;

namespace qorvana {

struct Session;

// The lock, or nullopt when the operator gave up waiting or the lock file cannot be used
// (the operator has been told why); nothing must then be written. An operation left
// interrupted (core/intent_log.h) is completed first and the operator told; one that cannot
// be completed refuses the lock, so nothing is written over it.
std::optional<PostingLock> LockCompanyForPosting(QWidget* parent, Session& session);

// At start: completes an operation left interrupted, under the lock, and tells the operator. A
// document so completed is the one "Ristampa" prints (Session::recoveredDocument), and the
// operator is told how.
// While another workstation holds the lock, nothing is done: its posting recovers first.
void RecoverInterruptedWrites(QWidget* parent, Session& session);

}  // namespace qorvana
