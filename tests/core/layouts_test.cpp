#include <gtest/gtest.h>

#include "core/counters_record.h"
#include "core/general_settings_record.h"
#include "tests/layout_golden.h"

namespace qorvana {
namespace {

using test::Image;

TEST(LayoutGolden, Counters) {
    Image<CountersLayout> image;
    image.bytes(0, {0x2A, 0x00, 0x01, 0x00, 0xFF, 0xFF, 0x39, 0x30, 0x38, 0xB4, 0x96, 0x49});
    const auto& r = image.record();
    test::ExpectReencodeUnchanged(r, tot::kLayout);
}

TEST(LayoutGolden, GeneralSettings) {
    Image<GeneralSettingsLayout> image;
    image
        .bytes(0, {0x01, 0x00, 0x02, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00,
                   0x00, 0x00, 0x00, 0x09, 0x00})
        .text(18, "stampante")
        .text(183, "91")
        .bytes(185, {0x00, 0x00, 0x00, 0x60, 0x5E, 0x9F, 0x6F, 0x41})
        .bytes(193, {0x00, 0x00, 0x00, 0xE0, 0xFF, 0xFF, 0x6F, 0x41})
        .text(201, "11")
        .bytes(242, {0x01, 0x00, 0x00, 0x00, 0xFF, 0xFF})
        .text(248, "04")
        .bytes(250, {0x01, 0x00})
        .text(252, "S")
        .text(256, "resto");
    const auto& r = image.record();
    test::ExpectReencodeUnchanged(r, gnr::kLayout);
}

}  // namespace
}  // namespace qorvana
