#pragma once
// Sends a PDF as an e-mail attachment, through the program's one SMTP sender.

#include <filesystem>
#include <string>

#include "tools/qorxpdf/qorxpdf_job.h"

namespace qorvana::qorxpdf {

// Sends `pdf` to `recipient` with the subject and body of `settings`; what went wrong, if
// anything: the reason in Italian with what to do, and libcurl's text (never the credentials).
RunError SendPdf(const MailSettings& settings, const std::string& recipient,
                 const std::filesystem::path& pdf);

}  // namespace qorvana::qorxpdf
