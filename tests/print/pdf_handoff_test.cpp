#include "print/pdf_handoff.h"

#include <gtest/gtest.h>

namespace qorvana {
namespace {

PdfHandoffInput Example() {
    PdfHandoffInput input;
    input.companyNumber = 1;
    input.pdfFolder = "C:\\pdf";
    input.documentNumber = "15";
    return input;
}

TEST(PdfHandoff, NumberEmailAndExtraArgument) {
    struct Case {
        const char* number;
        bool mail;
        std::string email;
        const char* extra;
        const char* tail;  // the argument after the layout file and the print image
        bool refused;
    };
    const Case cases[] = {
        {"0015", false, "a@b.it", "", "C:\\pdf\\ftr15.pdf,***", false},
        {" 7 ", true, "  a@b.it  ", "", "C:\\pdf\\ftr7.pdf,a@b.it", false},
        {"7", true, "", " -x ", "C:\\pdf\\ftr7.pdf,,-x", false},
        {"7", false, "", "\t-x\r\n", "C:\\pdf\\ftr7.pdf,***,-x", false},
        {"7", true, "a@b.it,x@evil.it", "", "C:\\pdf\\ftr7.pdf,***", true},
        {"7", true, "a@b.it;rm -rf ~", "", "C:\\pdf\\ftr7.pdf,***", true},
        {"7", true, "$(reboot)@b.it", "", "C:\\pdf\\ftr7.pdf,***", true},
        {"7", true, "a b@c.it", "", "C:\\pdf\\ftr7.pdf,***", true},
        {"7", true, std::string("a@b.it\0x", 8), "", "C:\\pdf\\ftr7.pdf,***", true},
        {"7", true, "a@b.it\n", "", "C:\\pdf\\ftr7.pdf,***", true},
    };
    for (const Case& c : cases) {
        PdfHandoffInput input = Example();
        input.documentNumber = c.number;
        input.sendByMail = c.mail;
        input.customerEmail = c.email;
        input.extraArgument = c.extra;
        const PdfHandoff handoff = BuildPdfHandoff(input);
        EXPECT_EQ(handoff.argument, std::string("\\qorwin\\qorwin\\qoraz0.001\\qorvana.lxf,"
                                                "c:\\qordoc.rto,") +
                                        c.tail)
            << c.email;
        EXPECT_EQ(handoff.emailRefused, c.refused) << c.email;
    }
}

// posting.qrs starts qorxpdf with the argument and finds the PDF it makes.
TEST(PdfHandoff, SwitchAndImage) {
    for (const char* off : {"", "0", " 0 ", "abc"}) EXPECT_FALSE(PdfHandoffEnabled(off)) << off;
    EXPECT_TRUE(PdfHandoffEnabled("1"));

    PdfHandoffInput input = Example();
    input.printImage = "c:\\qordoc-42.rto";
    EXPECT_NE(BuildPdfHandoff(input).argument.find(",c:\\qordoc-42.rto,"), std::string::npos);
}

}  // namespace
}  // namespace qorvana
