#include "print/pdf_handoff.h"

#include <gtest/gtest.h>

namespace qorvana {
namespace {

PdfHandoffInput Example() {
    PdfHandoffInput input;
    input.companyNumber = 1;
    input.pdfFolder = "C:\\pdf";
    input.pdfName = "ftr15_2026.pdf";
    return input;
}

TEST(PdfHandoff, NumberEmailAndExtraArgument) {
    struct Case {
        const char* name;
        bool mail;
        std::string email;
        const char* extra;
        const char* tail;  // the argument after the layout file and the print image
        bool refused;
    };
    const Case cases[] = {
        {"ftr15_2026.pdf", false, "a@b.it", "", "C:\\pdf\\ftr15_2026.pdf,***", false},
        {"ftr7.pdf", true, "  a@b.it  ", "", "C:\\pdf\\ftr7.pdf,a@b.it", false},
        {"ftr7.pdf", true, "", " -x ", "C:\\pdf\\ftr7.pdf,,-x", false},
        {"ftr7.pdf", false, "", "\t-x\r\n", "C:\\pdf\\ftr7.pdf,***,-x", false},
        {"ftr7.pdf", true, "a@b.it,x@evil.it", "", "C:\\pdf\\ftr7.pdf,***", true},
        {"ftr7.pdf", true, "a@b.it;rm -rf ~", "", "C:\\pdf\\ftr7.pdf,***", true},
        {"ftr7.pdf", true, "$(reboot)@b.it", "", "C:\\pdf\\ftr7.pdf,***", true},
        {"ftr7.pdf", true, "a b@c.it", "", "C:\\pdf\\ftr7.pdf,***", true},
        {"ftr7.pdf", true, std::string("a@b.it\0x", 8), "", "C:\\pdf\\ftr7.pdf,***", true},
        {"ftr7.pdf", true, "a@b.it\n", "", "C:\\pdf\\ftr7.pdf,***", true},
    };
    for (const Case& c : cases) {
        PdfHandoffInput input = Example();
        input.pdfName = c.name;
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

TEST(PdfHandoff, SwitchAndImage) {
    PdfHandoffInput input = Example();
    input.printImage = "c:\\qordoc-42.rto";
    EXPECT_NE(BuildPdfHandoff(input).argument.find(",c:\\qordoc-42.rto,"), std::string::npos);

    // The suite's command line exactly: the program and its one argument; the drive root goes
    // in the environment.
    const ProgramStart start = PdfHandoffStart(PathMapper("/srv/c"), BuildPdfHandoff(input));
    EXPECT_EQ(start.arguments, std::vector<std::string>{BuildPdfHandoff(input).argument});
    EXPECT_EQ(start.driveRoot, "/srv/c");
}

}  // namespace
}  // namespace qorvana
