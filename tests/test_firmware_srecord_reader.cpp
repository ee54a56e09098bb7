#include "srecord_reader.h"
#include "srecord_writer.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <cstdio>
#include <fstream>
#include <sstream>

namespace {

const std::vector<uint8_t> kId = {0x11, 0x22, 0x33, 0x44, 0x55, 0x66, 0x77};

// The fixed vectors 0xFFDC..0xFFFF with the ID bytes in their top bytes.
std::string VectorRecord(const std::vector<uint8_t>& id = kId)
{
    std::vector<uint8_t> vectors(36, 0x80);
    for (size_t i = 0; i < id.size(); ++i)
        vectors[size_t(kIdAddresses[i] - 0xFFDC)] = id[i];
    return S2Record(0xFFDC, vectors) + "\r\n";
}

std::string Line(uint32_t address, const std::vector<uint8_t>& data)
{
    return S2Record(address, data) + "\r\n";
}

std::string Sample()
{
    const auto path = std::filesystem::path(LCD_SAMPLES_DIR) / "sample_firmware.mot";
    std::ifstream in(path, std::ios::binary);
    std::ostringstream all;
    all << in.rdbuf();
    return all.str();
}

std::string Refusal(const std::string& file)
{
    const SRecordResult r = ReadSRecords(file);
    EXPECT_EQ(r.image.has_value(), r.message.empty());
    return r.message;
}

TEST(SRecordReader, HexDigitsAreUpperCaseOnly)
{
    EXPECT_EQ(HexDigitValue('0'), 0);
    EXPECT_EQ(HexDigitValue('9'), 9);
    EXPECT_EQ(HexDigitValue('A'), 10);
    EXPECT_EQ(HexDigitValue('F'), 15);
    EXPECT_EQ(HexDigitValue('a'), 0);
    EXPECT_EQ(HexDigitValue('f'), 0);
    EXPECT_EQ(HexDigitValue('G'), 0);
    EXPECT_EQ(HexDigitValue(' '), 0);
}

TEST(SRecordReader, SoundFileFillsBothImagesFromTheirFirstRecords)
{
    const std::string file = "S00600004844521B\r\n"                        // S0 header
                             + Line(0x8100, {1, 2, 3, 4})                  // first code record
                             + Line(0x8000 + 0x300, {0xAA, 0xBB})          // later, higher
                             + Line(0x2500, {9, 8, 7})                     // first data record
                             + Line(0x2BFE, {5, 6})                        // end of data flash
                             + VectorRecord() + "S9030000FC\r\n";
    const SRecordResult r = ReadSRecords(file);
    ASSERT_TRUE(r.image) << r.message;
    const FirmwareImage& img = *r.image;
    EXPECT_TRUE(img.hasCodeRecords);
    EXPECT_TRUE(img.hasDataRecords);
    EXPECT_EQ(img.codeBase, 0x8100);
    EXPECT_EQ(img.dataBase, 0x2500);
    EXPECT_EQ(img.codeImage[0], 1);
    EXPECT_EQ(img.codeImage[3], 4);
    EXPECT_EQ(img.codeImage[4], 0xFF);             // gap stays erased
    EXPECT_EQ(img.codeImage[0x200], 0xAA);
    EXPECT_EQ(img.codeImage[0x201], 0xBB);
    EXPECT_EQ(img.dataImage[0], 9);
    EXPECT_EQ(img.dataImage[2], 7);
    EXPECT_EQ(img.dataImage[0x2BFE - 0x2500], 5);
    EXPECT_EQ(img.dataImage[0x2BFF - 0x2500], 6);
    EXPECT_EQ(img.CodeByte(0xFFFB), 0x77);
    EXPECT_EQ(img.IdCode(), (std::array<uint8_t, 7>{0x11, 0x22, 0x33, 0x44, 0x55, 0x66, 0x77}));
    EXPECT_EQ(img.codeImage.size(), size_t(kCodeImageSize));
    EXPECT_EQ(img.dataImage.size(), size_t(kDataImageSize));
}

TEST(SRecordReader, ReadsTheSampleFirmware)
{
    const std::string file = Sample();
    ASSERT_FALSE(file.empty());
    const SRecordResult r = ReadSRecords(file);
    ASSERT_TRUE(r.image) << r.message;
    EXPECT_EQ(r.image->codeBase, 0x8000);
    EXPECT_EQ(r.image->dataBase, 0x2400);
    EXPECT_EQ(r.image->codeImage[0], 0x00);
    EXPECT_EQ(r.image->codeImage[1], 0x07);
    EXPECT_EQ(r.image->DataByte(0x2BFF), 0x2A);
    EXPECT_EQ(r.image->IdCode(), (std::array<uint8_t, 7>{'L', 'C', 'D', 'K', 'O', 'N', 'F'}));
}

TEST(SRecordReader, CodeOnlyFileHasNoDataRecords)
{
    const SRecordResult r = ReadSRecords(Line(0x8000, {1}) + VectorRecord() + "S804008000" "7B");
    ASSERT_TRUE(r.image) << r.message;
    EXPECT_FALSE(r.image->hasDataRecords);
    EXPECT_EQ(r.image->dataImage, std::vector<uint8_t>(kDataImageSize, 0xFF));
}

TEST(SRecordReader, LaterRecordsOverwriteEarlierOnes)
{
    const SRecordResult r = ReadSRecords(Line(0x8000, {1, 2, 3, 4}) + Line(0x8002, {9})
                                         + Line(0x8001, {7}) + VectorRecord() + "S9");
    ASSERT_TRUE(r.image) << r.message;
    EXPECT_EQ(std::vector<uint8_t>(r.image->codeImage.begin(), r.image->codeImage.begin() + 5),
              (std::vector<uint8_t>{1, 7, 9, 4, 0xFF}));
}

TEST(SRecordReader, OtherRecordKindsArePassedOver)
{
    // An S1 and an S3 record that would land in the images if they were read, and an
    // S5 count record (three data records before it), between sound S2 records.
    const std::string file = "S1058000AABB0F\r\n" + Line(0x8000, {1})
                             + "S30700008000CCDDF0\r\nS5030003F9\r\n" + VectorRecord() + "S7";
    const SRecordResult r = ReadSRecords(file);
    ASSERT_TRUE(r.image) << r.message;
    EXPECT_EQ(r.image->codeImage[0], 1);
    EXPECT_EQ(r.image->codeImage[1], 0xFF);
    EXPECT_FALSE(r.image->hasDataRecords);
}

TEST(SRecordReader, ReadingStopsAtTheTerminationRecord)
{
    const std::string body = Line(0x8000, {1}) + VectorRecord();
    for (const char* end : {"S7", "S8", "S9"}) {
        // What follows would be a broken record and a code record below the base.
        const SRecordResult r = ReadSRecords(body + end + "xx\r\nS2FFFFFFFF" + Line(0x4000, {2}));
        ASSERT_TRUE(r.image) << end << ": " << r.message;
    }
    // Lower-case "s" does not start a record.
    EXPECT_EQ(Refusal(body + "s9030000FC\r\n"), "Unerwartetes Dateiende!");
}

TEST(SRecordReader, EndOfFileAnywhereBeforeTheEndRecord)
{
    const std::string sound = Line(0x8000, {1, 2}) + VectorRecord();
    EXPECT_EQ(Refusal(""), "Unerwartetes Dateiende!");
    EXPECT_EQ(Refusal(sound), "Unerwartetes Dateiende!");                      // no S9
    const std::string record = S2Record(0x8000, {1, 2});                        // S2 06 008000 01 02 CS
    for (size_t cut : {size_t(1), size_t(3), size_t(7), size_t(12), record.size() - 2,
                       record.size() - 1})
        EXPECT_EQ(Refusal(sound + record.substr(0, cut)), "Unerwartetes Dateiende!")
            << "cut at " << cut;
}

TEST(SRecordReader, ChecksumFaults)
{
    const std::string tail = VectorRecord() + "S9030000FC\r\n";
    // A wrong checksum byte.
    std::string bad = S2Record(0x8000, {1, 2, 3});
    bad[bad.size() - 1] = bad.back() == '0' ? '1' : '0';
    EXPECT_EQ(Refusal(bad + "\r\n" + tail), "Checksummen-Fehler!");
    // Lower-case data digits read as 0: 0x1a is taken as 0x10.
    EXPECT_EQ(Refusal("S20600800012" "1a" "3D\r\n" + tail), "Checksummen-Fehler!");
    // ...unless the misread digits cancel out: "0a" and "00" both sum as 00, and the
    // checksum was made with them as 00.
    const SRecordResult cancel = ReadSRecords("S20500800000" "7A\r\n" + tail);
    ASSERT_TRUE(cancel.image) << cancel.message;
    const SRecordResult lower = ReadSRecords("S2050080000a" "7A\r\n" + tail);
    ASSERT_TRUE(lower.image) << lower.message;
    EXPECT_EQ(lower.image->codeImage[0], 0x00);
    // A conforming record above 64 KiB: its high byte is part of its checksum.
    EXPECT_EQ(Refusal(S2Record(0x018000, {1}) + "\r\n" + tail), "Checksummen-Fehler!");
}

TEST(SRecordReader, RefusesWhatDoesNotFitTheFlash)
{
    const std::string id = VectorRecord();
    const std::string code = Line(0x8000, {1}) + id;
    const std::string end = "S9030000FC\r\n";
    const char* fit = "Firmware-Datei passt nicht in den Flash-Speicher!";
    // Below the first record of its kind.
    EXPECT_EQ(Refusal(Line(0x9000, {1}) + Line(0x8F00, {2}) + id + end), fit);
    EXPECT_EQ(Refusal(code + Line(0x2500, {1}) + Line(0x24FF, {2}) + end), fit);
    // Past the end of the code flash (0xFFFF) and of the data flash (0x2BFF).
    EXPECT_EQ(Refusal(Line(0x8000, {1}) + Line(0xFFFF, {1, 2}) + id + end), fit);
    EXPECT_EQ(Refusal(code + Line(0x2400, {1}) + Line(0x2BFF, {1, 2}) + end), fit);
    EXPECT_EQ(Refusal(code + Line(0x2C00, {1}) + end), fit);
    // A code base below the code flash, a data base below the data flash.
    EXPECT_EQ(Refusal(Line(0x7F00, {1}) + id + end), fit);
    EXPECT_EQ(Refusal(Line(0x0000, {1}) + id + end), fit);
    EXPECT_EQ(Refusal(code + Line(0x2300, {1}) + end), fit);
    // A first record off a page boundary; later records may start anywhere.
    const char* page = "Firmware-Datei beginnt nicht an einer Seitengrenze!";
    EXPECT_EQ(Refusal(Line(0x8010, {1}) + id + end), page);
    EXPECT_EQ(Refusal(Line(0x8000, {1}) + id + Line(0x2401, {1}) + end), page);
    // Records without a data byte.
    EXPECT_EQ(Refusal(Line(0x8000, {1}) + "S2040080007B\r\n" + id + end),
              "Fehlerhafter Datensatz in der Firmware-Datei!");
    EXPECT_EQ(Refusal(Line(0x8000, {1}) + "S203008074\r\n" + id + end),
              "Fehlerhafter Datensatz in der Firmware-Datei!");
    // No code at all, and code without the ID bytes.
    EXPECT_EQ(Refusal(Line(0x2400, {1}) + end), "Firmware-Datei enthält keinen Programmcode!");
    EXPECT_EQ(Refusal(Line(0x8000, {1}) + end), "Firmware-Datei enthält keinen ID-Code!");
    std::string partialId = Line(0x8000, {1}) + Line(0xFFDF, {1}) + Line(0xFFE3, {1});
    EXPECT_EQ(Refusal(partialId + end), "Firmware-Datei enthält keinen ID-Code!");
}

TEST(SRecordReader, RecordCutShortByTheEndRecordIsRefused)
{
    // The count promises ten data bytes, the line holds two; the line end and "S9" would
    // be taken as data and the record's checksum never checked.
    const std::string sound = Line(0x8000, {1}) + VectorRecord();
    EXPECT_EQ(Refusal(sound + "S20E0081000102\r\nS9030000FC\r\n"),
              "Fehlerhafter Datensatz in der Firmware-Datei!");
    EXPECT_EQ(Refusal(sound + "S20E0025000102\r\nS8040000007B\r\n"),
              "Fehlerhafter Datensatz in der Firmware-Datei!");
    // A termination record right after a sound record still ends reading with success.
    EXPECT_EQ(Refusal(sound + Line(0x8100, {1, 2}) + "S9030000FC\r\n"), "");
}

TEST(SRecordReader, RecordEndingBeforeItsCountIsRefused)
{
    const std::string sound = Line(0x8000, {1}) + VectorRecord();
    const std::string end = "S9030000FC\r\n";
    const char* damaged = "Fehlerhafter Datensatz in der Firmware-Datei!";
    // Cut in the count, in the address, in the data, before the checksum.
    for (const char* cut : {"S2", "S21", "S214", "S2140080", "S21400810001"})
        EXPECT_EQ(Refusal(sound + cut + "\r\n" + end), damaged) << cut;
    // Its checksum would be 00, which a line end read as digits would give.
    EXPECT_EQ(Refusal(sound + "S2050080007A\r\n" + end), damaged);
    EXPECT_EQ(Refusal(sound + "S2050080007A00\r\n" + end), "");
    // Cut short and followed by the next record instead of the termination record.
    EXPECT_EQ(Refusal(sound + "S21400810001" + Line(0x8200, {1}) + end), damaged);
    // A line end inside the record before the termination record, even without one
    // between them.
    EXPECT_EQ(Refusal(sound + "S214" + end), damaged);
}

TEST(SRecordReader, CountRecordMustMatchTheDataRecords)
{
    const std::string records = Line(0x8000, {1}) + Line(0x8100, {2}) + VectorRecord();  // 3
    const std::string end = "S9030000FC\r\n";
    auto s5 = [](int count) {
        char text[16];
        const unsigned sum = 3 + unsigned(count >> 8) + unsigned(count & 0xFF);
        std::snprintf(text, sizeof text, "S503%04X%02X", unsigned(count), ~sum & 0xFF);
        return std::string(text);
    };
    EXPECT_EQ(s5(3), "S5030003F9");
    EXPECT_EQ(Refusal(records + s5(3) + "\r\n" + end), "");
    const char* wrong = "Firmware-Datei unvollständig: die Anzahl der Datensätze stimmt nicht!";
    EXPECT_EQ(Refusal(records + s5(2) + "\r\n" + end), wrong);
    EXPECT_EQ(Refusal(records + s5(4) + "\r\n" + end), wrong);
    // Records after the count record are not counted by it.
    EXPECT_EQ(Refusal(Line(0x8000, {1}) + s5(1) + "\r\n" + Line(0x8100, {2}) + VectorRecord() + end), "");
    // S6 counts in three bytes.
    EXPECT_EQ(Refusal(records + "S604000003F8\r\n" + end), "");
    EXPECT_EQ(Refusal(records + "S604000002F9\r\n" + end), wrong);
    // A count record with a wrong checksum, a wrong length or cut short.
    EXPECT_EQ(Refusal(records + "S5030003F8\r\n" + end), "Checksummen-Fehler!");
    EXPECT_EQ(Refusal(records + "S504000003F8\r\n" + end),
              "Fehlerhafter Datensatz in der Firmware-Datei!");
    EXPECT_EQ(Refusal(records + "S50300\r\n" + end), "Fehlerhafter Datensatz in der Firmware-Datei!");
    EXPECT_EQ(Refusal(records + "S50300"), "Unerwartetes Dateiende!");
}

TEST(SRecordReader, WrittenImagesReadBackUnchanged)
{
    FirmwareImage image;
    image.hasCodeRecords = image.hasDataRecords = true;
    image.codeBase = 0x8000;
    image.dataBase = 0x2400;
    for (int i = 0; i < 0x8000; ++i)
        image.codeImage[size_t(i)] = uint8_t(i * 13 + (i >> 8));
    for (int i = 0; i < 0x800; ++i)
        image.dataImage[size_t(i)] = uint8_t(i ^ 0x5A);
    const SRecordResult r = ReadSRecords(WriteSRecords(image));
    ASSERT_TRUE(r.image) << r.message;
    EXPECT_EQ(r.image->codeImage, image.codeImage);
    EXPECT_EQ(r.image->dataImage, image.dataImage);
    EXPECT_EQ(r.image->codeBase, 0x8000);
    EXPECT_EQ(r.image->dataBase, 0x2400);
}

}  // namespace
