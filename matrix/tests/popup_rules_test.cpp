#include "matrix/popup_rules.h"

#include <gtest/gtest.h>

#include <initializer_list>

namespace qv {
namespace {

PopupContext Offline(uint16_t imageVersion, std::initializer_list<int> inputs, std::initializer_list<int> outputs)
{
    PopupContext c;
    c.imageVersion = imageVersion;
    for (int n : inputs)
        c.selection.set(Channel{Channel::Input, n}, true);
    for (int n : outputs)
        c.selection.set(Channel{Channel::Output, n}, true);
    return c;
}

PopupContext Remote(PopupContext c, uint16_t instrumentVersion, bool supported = true)
{
    c.remote = true;
    c.instrumentVersion = instrumentVersion;
    c.typeSupported = supported;
    return c;
}

TEST(PopupRules, InputLabelPopup)
{
    struct Case {
        const char* what;
        PopupContext context;
        bool rename, ppm, sum;
    };
    const Case cases[] = {
        {"plain input", Offline(0x0530, {3}, {}), true, false, false},
        {"PPM input", Offline(0x0530, {57}, {}), true, true, false},
        {"input 55 gives SUM", Offline(0x0400, {55}, {}), true, false, true},
        {"no image version: no SUM", Offline(0x0000, {55}, {}), true, false, false},
        {"remote 5.10", Remote(Offline(0x0530, {55, 88}, {}), 0x0510), true, true, false},
        {"remote 5.09", Remote(Offline(0x0530, {60}, {}), 0x0509), false, false, false},
        {"remote, unsupported type", Remote(Offline(0x0530, {3}, {}), 0x0530, false), false, false, false},
    };
    for (const Case& c : cases) {
        const auto r = InputLabelPopup(c.context);
        EXPECT_EQ(r.rename, c.rename) << c.what;
        EXPECT_EQ(r.ppmOptions, c.ppm) << c.what;
        EXPECT_EQ(r.sum, c.sum) << c.what;
    }
}

TEST(PopupRules, OutputLabelPopup)
{
    struct Case {
        const char* what;
        PopupContext context;
        bool rename, ppm, phase, groups, gain, lock;
    };
    const Case cases[] = {
        {"plain output", Offline(0x0530, {}, {1}), true, false, false, false, false, false},
        {"PPM output", Offline(0x0530, {}, {96}), true, true, false, false, false, false},
        {"phase output", Offline(0x0530, {}, {53}), true, false, true, false, false, false},
        {"group output 5.00", Offline(0x0500, {}, {33}), true, false, false, true, true, false},
        {"group output 4.x", Offline(0x0499, {}, {48}), true, false, false, false, false, false},
        {"output 49 is no group output", Offline(0x0530, {}, {49}), true, false, false, false, false, false},
        {"remote 5.07", Remote(Offline(0x0530, {}, {40, 62, 70}), 0x0507), false, false, true, false, true, true},
        {"remote 5.10", Remote(Offline(0x0530, {}, {1, 70}), 0x0510), true, true, false, false, true, true},
        {"remote 5.06", Remote(Offline(0x0530, {}, {60}), 0x0506), false, false, false, false, true, true},
    };
    for (const Case& c : cases) {
        const auto r = OutputLabelPopup(c.context);
        EXPECT_EQ(r.rename, c.rename) << c.what;
        EXPECT_EQ(r.ppmOptions, c.ppm) << c.what;
        EXPECT_EQ(r.phaseOptions, c.phase) << c.what;
        EXPECT_EQ(r.setGroup, c.groups) << c.what;
        EXPECT_EQ(r.setGroupGain, c.groups) << c.what;
        EXPECT_EQ(r.setGain, c.gain) << c.what;
        EXPECT_EQ(r.lock, c.lock) << c.what;
    }
}

TEST(PopupRules, MatrixPopupCountsTheClickedCellAsSelected)
{
    struct Case {
        const char* what;
        PopupContext context;
        int input, output;
        bool rename, sum, phase, groups, gain, ppm, lock;
    };
    const Case cases[] = {
        {"plain cell", Offline(0x0530, {}, {}), 1, 1, true, false, false, false, false, false, false},
        {"SUM input", Offline(0x0530, {}, {}), 55, 1, true, true, false, false, false, false, false},
        {"PPM by input", Offline(0x0530, {}, {}), 57, 1, true, false, false, false, false, true, false},
        {"PPM by output", Offline(0x0530, {}, {}), 1, 65, true, false, false, false, false, true, false},
        {"phase and group", Offline(0x0500, {}, {}), 1, 33, true, false, false, true, true, false, false},
        {"phase output", Offline(0x0530, {}, {}), 51, 58, true, false, true, false, false, false, false},
        {"remote 5.07", Remote(Offline(0x0530, {}, {}), 0x0507), 55, 58, true, false, true, false, true, false, true},
        {"remote 5.06", Remote(Offline(0x0530, {}, {}), 0x0506), 60, 40, false, false, false, false, true, false,
         true},
        {"remote 5.10 PPM", Remote(Offline(0x0530, {}, {}), 0x0510), 60, 1, true, false, false, false, true, true,
         true},
    };
    for (const Case& c : cases) {
        const auto r = MatrixPopup(c.context, c.input, c.output);
        EXPECT_EQ(r.inputRename, c.rename) << c.what;
        EXPECT_EQ(r.outputRename, c.rename) << c.what;
        EXPECT_EQ(r.sum, c.sum) << c.what;
        EXPECT_EQ(r.phaseOptions, c.phase) << c.what;
        EXPECT_EQ(r.setGroup, c.groups) << c.what;
        EXPECT_EQ(r.setGroupGain, c.groups) << c.what;
        EXPECT_EQ(r.setGain, c.gain) << c.what;
        EXPECT_EQ(r.ppmOptions, c.ppm) << c.what;
        EXPECT_EQ(r.lock, c.lock) << c.what;
    }
}

} // namespace
} // namespace qv
