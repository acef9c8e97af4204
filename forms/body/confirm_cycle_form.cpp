#include "forms/body/confirm_cycle_form.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>

#include "forms/body/body_form.h"
#include "forms/common/date_picker.h"
#include "forms/common/message_box.h"
#include "forms/common/qor_form.h"
#include "forms/header/header_form.h"
#include "print/print_loop_form.h"
#include "startup/customer_record.h"
#include "startup/general_settings_record.h"
#include "startup/session.h"

namespace qorvana {
namespace {

QWidget* Control(const FormSet& forms, const char* form, const char* name, int index = -1) {
    const QorForm* f = forms.form(QString::fromLatin1(form));
    return f ? f->control(QString::fromLatin1(name), index) : nullptr;
}

// The text a control shows; empty when the control does not exist.
std::string TextOf(const QWidget* w) {
    QString t;
    if (const auto* e = qobject_cast<const QLineEdit*>(w))
        t = e->text();
    else if (const auto* d = qobject_cast<const DatePicker*>(w))
        t = d->text();
    else if (const auto* c = qobject_cast<const QComboBox*>(w))
        t = c->currentText();
    else if (const auto* l = qobject_cast<const QLabel*>(w))
        t = l->text();
    return t.toStdString();
}

// A list's position from 0; -1 when nothing is chosen or the control does not exist.
int PositionOf(const QWidget* w) {
    const auto* c = qobject_cast<const QComboBox*>(w);
    return c ? c->currentIndex() : -1;
}

bool CheckedOf(const QWidget* w) {
    const auto* b = qobject_cast<const QAbstractButton*>(w);
    return b && b->isChecked();
}

}  // namespace

ConfirmCycle::ConfirmCycle(Session& session, FormSet& forms, BodyForm& body)
    : session_(session), forms_(forms), body_(body) {}

PostingHeader ConfirmCycle::headerValues() const {
    const auto text = [this](const char* name, int i = -1) {
        return TextOf(Control(forms_, "qoremft", name, i));
    };
    const auto position = [this](const char* name, int i = -1) {
        return PositionOf(Control(forms_, "qoremft", name, i));
    };
    const auto checked = [this](const char* name, int i = -1) {
        return CheckedOf(Control(forms_, "qoremft", name, i));
    };
    PostingHeader h;
    h.number = text("text2", 0);
    h.vatRegisterNumber = text("text2", 3);
    h.transmissionNumber = text("text2", 4);
    h.value11 = text("text2", 11);
    h.value12 = text("text2", 12);
    h.documentDate = text("text3", 1);
    h.registrationDate = text("text3", 2);
    h.paymentTerms = position("Combo1");
    h.combo2 = position("Combo2");
    h.combo3 = position("Combo3");
    h.combo4 = position("Combo4");
    h.combo5 = position("Combo5");
    h.leasingVehicle = position("Combo7");
    for (int i = 0; i < 6; ++i) {
        h.dueDates[static_cast<std::size_t>(i)] = text("dsca", i);
        h.dueAmounts[static_cast<std::size_t>(i)] = text("sca", i);
    }
    h.commissionRate = text("pro", 0);
    h.commissionAmount = text("pro", 1);
    h.bankReceipt = checked("rib");
    h.vatOnPayment = checked("esig");
    h.separateSeries = checked("numera");
    for (int i = 0; i < 5; ++i) h.vatOptions[static_cast<std::size_t>(i)] = checked("xxiva", i);
    return h;
}

std::string ConfirmCycle::fpaDocumentType() const {
    return TextOf(Control(forms_, "qoremft", "Combo8", 0)).substr(0, 4);
}

IssuedDocumentHeader ConfirmCycle::lineFileHeader() const {
    IssuedDocumentHeader h;
    h.customer = session_.currentCustomer;
    h.documentKind = session_.documentKind;
    for (int i = 0; i < 6; ++i)
        h.transport[static_cast<std::size_t>(i)] = TextOf(Control(forms_, "qoremf", "text3", i));
    h.transportReason = PositionOf(Control(forms_, "qoremf", "Combo1"));
    h.goodsAppearance = PositionOf(Control(forms_, "qoremf", "Combo2"));
    h.shipping = CheckedOf(Control(forms_, "qoremf", "sped", 0))   ? 0
                 : CheckedOf(Control(forms_, "qoremf", "sped", 1)) ? 1
                                                                   : 2;
    h.vatInclusive = body_.vatInclusive();
    const auto text = [this](const char* name, int i) {
        return TextOf(Control(forms_, "qoremft", name, i));
    };
    h.number = text("text2", 0);
    h.documentDate = text("text3", 1);
    h.registrationDate = text("text3", 2);
    return h;
}

DocumentToPrint ConfirmCycle::printContent() const {
    const auto start = [this](const char* name, int i = -1) {
        return TextOf(Control(forms_, "qoremf", name, i));
    };
    const auto header = [this](const char* name, int i = -1) {
        return TextOf(Control(forms_, "qoremft", name, i));
    };
    DocumentToPrint d;
    PrintedEntries& e = d.entries;
    static constexpr int kCustomerBoxes[] = {0, 1, 2, 3, 4, 7, 5, 8, 9, 10, 11, 12, 13, 14, 15};
    for (std::size_t i = 0; i < e.customer.size(); ++i)
        e.customer[i] = start("text2", kCustomerBoxes[i]);
    e.number = header("text2", 0);
    e.documentDate = header("text3", 1);
    e.numberWithYear = session_.generalSettings.text(gnr::kNumberWithYear) == "1";
    e.packages = start("text3", 2);
    e.weight = start("text3", 3);
    e.goodsAppearance = start("Combo2");
    const DataFiles& files = session_.files;
    if (session_.currentCustomer >= 1 && session_.currentCustomer <= files.physicalRecords(kCli)) {
        const auto c = files.read<cli::kLength>(kCli, session_.currentCustomer);
        e.bankCoordinates =
            BankCoordinates({c.text(cli::kIbanPrefix), c.text(cli::kCin), c.text(cli::kAbi),
                             c.text(cli::kCab), c.text(cli::kBankAccount)});
        e.email = c.text(cli::kEmail);
        e.customerNote = c.text(cli::kBankText);
    }
    e.shippedBy = CheckedOf(Control(forms_, "qoremf", "sped", 0))   ? 0
                  : CheckedOf(Control(forms_, "qoremf", "sped", 1)) ? 1
                                                                    : 2;
    for (int i = 0; i < 3; ++i) e.carrier[static_cast<std::size_t>(i)] = start("text2", 17 + i);
    e.transportDate = start("text3", 4);
    e.transportTime = start("text3", 5);
    e.orderReference = start("text3", 0);
    e.deliveryNoteReference = start("text3", 1);
    e.paymentTerms = header("Combo1");
    for (int i = 0; i < 4; ++i) {
        e.dueAmounts[static_cast<std::size_t>(i)] = ParseDecimal(header("sca", i));
        e.dueDates[static_cast<std::size_t>(i)] = header("dsca", i);
    }
    e.vatOnPayment = CheckedOf(Control(forms_, "qoremft", "esig"));
    e.notes = {start("text2", 20), start("text2", 21)};
    e.documentKind = session_.documentKind;
    e.fpaState = session_.fpaState;
    e.fpaDocumentType = fpaDocumentType();
    d.lines = &body_.lines();
    d.figures = body_.figures();
    return d;
}

bool ConfirmCycle::print(const std::string& imageCopy) {
    const auto* header = qobject_cast<const HeaderForm*>(forms_.form(QStringLiteral("qoremft")));
    PrintLoop loop(session_, &body_, header ? header->chosenPrinter() : nullptr);
    return loop.run(printContent(), body_.printSettings(), imageCopy);
}

void ConfirmCycle::dispatchPdf(const std::string& imageCopy) {
    PdfHandoffInput in;
    in.companyNumber = static_cast<int>(session_.companyNumber);
    in.pdfFolder = session_.workStrings[7];
    in.documentNumber = TextOf(Control(forms_, "qoremft", "text2", 0));
    in.sendByMail = body_.emailRequested();
    const DataFiles& files = session_.files;
    if (session_.currentCustomer >= 1 && session_.currentCustomer <= files.physicalRecords(kCli))
        in.customerEmail =
            files.read<cli::kLength>(kCli, session_.currentCustomer).text(cli::kEmail);
    in.extraArgument = body_.printSettings().pdfExtraArgument();
    in.printImage = imageCopy;
    DispatchDocument(session_, &body_, in);
}

void ConfirmCycle::run() {
    session_.issueMoment = session_.clock.now();

    PostingInput in;
    in.lines = &body_.lines();
    in.figures = body_.figures();
    in.vat = &body_.vatTable();
    in.money = session_.money();
    in.vatInclusive = body_.vatInclusive();
    in.header = headerValues();
    in.documentKind = session_.documentKind;
    in.fpaState = session_.fpaState;
    in.fpaDocumentType = fpaDocumentType();
    in.customer = session_.currentCustomer;
    in.customerName = TextOf(Control(forms_, "qoremf", "text2", 0));
    in.pdfFolder = session_.workStrings[7];
    in.issueMoment = session_.issueMoment;

    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    const PostingResult posted = PostDocument(session_.files, in);
    QGuiApplication::restoreOverrideCursor();
    if (!posted.ok) {
        Warn(&body_, QString::fromStdString(posted.message));
        if (!posted.anythingWritten) {
            // Nothing stored: back to the header as the operator left it.
            session_.returnPending = 1;
            forms_.handOver(&body_, QStringLiteral("qoremft"));
            return;
        }
        session_.returnPending = 0;
        forms_.handOver(&body_, QStringLiteral("qoremf"));
        return;
    }

    const std::string name = LineFile::IssuedFileName(posted.serial);
    std::string error;
    if (!LineFile::Write(session_.companyFile(name), LineFile::IssuedHeader(lineFileHeader()),
                         LineFile::BlocksOf(body_.lines()), &error)) {
        Warn(&body_,
             QStringLiteral("Il documento è stato memorizzato, ma il file delle righe %1 non è "
                            "stato scritto (%2).")
                 .arg(QString::fromStdString(name), QString::fromStdString(error)));
    }

    const std::string imageCopy = DocumentImagePath(posted.serial);
    if (print(imageCopy)) dispatchPdf(imageCopy);

    session_.returnPending = 0;
    forms_.handOver(&body_, QStringLiteral("qoremf"));
}

}  // namespace qorvana
