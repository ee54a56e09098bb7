#include "parameter_set.h"

#include <gtest/gtest.h>

TEST(ParameterSet, StartValues)
{
    ParameterSet ps;
    EXPECT_EQ(ps.ConfigVersion, 2);
    EXPECT_EQ(ps.Values[0], 15);
    EXPECT_EQ(ps.Values[27], 10465);
    EXPECT_EQ(ps.Values[83], 20);
    EXPECT_EQ(ps.Values[119], 0);
    EXPECT_EQ(ps.FileName, "unbenannt");
    EXPECT_EQ(ps.SerialNumber, "....");
    EXPECT_EQ(ps.DeviceMark, "...");
    EXPECT_EQ(ps.DeviceType, 255);
    EXPECT_EQ(ps.DataPresent, 0);
    EXPECT_EQ(ps.FaultWindowWidth, 1022);
    EXPECT_EQ(ps.FaultWindowHeight, 766);
}
