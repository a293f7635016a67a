#include "platform/stream.h"

#include <gtest/gtest.h>

TEST(MemoryStream, ReadsStopAtTheEndAndShortReadBufferRaises) {
    TMemoryStream m;
    m.WriteInt32(0x12345678);
    m.WriteInt32(-2);
    EXPECT_EQ(m.Size(), 8);
    m.SetPosition(0);
    EXPECT_EQ(m.ReadInt32(), 0x12345678);
    EXPECT_EQ(m.ReadInt32(), -2);
    char c;
    EXPECT_EQ(m.Read(&c, 1), 0);
    EXPECT_THROW(m.ReadBuffer(&c, 1), EReadError);
    m.Seek(-3, TSeekOrigin::soEnd);
    EXPECT_EQ(m.Position(), 5);
    m.Seek(-100, TSeekOrigin::soCurrent);  // clamps at the start
    EXPECT_EQ(m.Position(), 0);
}

TEST(FileStream, MissingFileRaisesAndWrittenBytesReadBack) {
    EXPECT_THROW(TFileStream("no/such/dir/file.bin", fmOpenRead), EFOpenError);
    EXPECT_THROW(TFileStream("no/such/dir/file.bin", fmCreate), EFCreateError);
    const std::uint8_t data[] = {1, 2, 3, 0, 255};
    WriteFileBytes("stream_test.bin", data, sizeof data);
    TMemoryStream m;
    m.LoadFromFile("stream_test.bin");
    ASSERT_EQ(m.Size(), 5);
    EXPECT_EQ(m.Memory()[4], 255);
    TMemoryStream copy;
    EXPECT_EQ(copy.CopyFrom(m, 0), 5);
    EXPECT_EQ(copy.Bytes(), m.Bytes());
}
