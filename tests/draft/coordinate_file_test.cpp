// Known points from the coordinate files of other programs: the program's own
// CSV export (a byte-order mark, headings, a quoted name), the same in
// GB18030, CASS files with and without heights, refusals that name their
// line, and mangled files that are read or refused, never more.
#include "import/coordinate_file.h"

#include <gtest/gtest.h>

#include <random>

#include "chain/number_parse.h"
#include "chain/text_encoding.h"
#include "chain/utf8.h"

namespace kestrane {
namespace {

std::vector<FilePoint> pointsOf(std::string_view bytes, CoordinateFormat format)
{
    const auto reading = readCoordinateFile(bytes, format);
    if (const auto* refusal = std::get_if<CoordinateFileRefusal>(&reading)) ADD_FAILURE() << refusal->message;
    return std::holds_alternative<std::vector<FilePoint>>(reading) ? std::get<std::vector<FilePoint>>(reading)
                                                                      : std::vector<FilePoint>();
}

CoordinateFileRefusal refusalOf(std::string_view bytes, CoordinateFormat format)
{
    const auto reading = readCoordinateFile(bytes, format);
    EXPECT_TRUE(std::holds_alternative<CoordinateFileRefusal>(reading));
    return std::holds_alternative<CoordinateFileRefusal>(reading) ? std::get<CoordinateFileRefusal>(reading)
                                                                   : CoordinateFileRefusal{-1, {}};
}

const std::string exportedCsv =
    "\xEF\xBB\xBF点名,X,Y,mx,my,mp\r\n"
    "王家山,9959.794,20022.772,0.00,0.00,0.00\r\n"
    "\"李庄,\"\"北\"\"\",10658.739,20435.117,1.45,1.02,1.77\r\n"
    "\r\n"
    " 东岭 ,１１076.173 , 20601.495,,,\r\n";

TEST(CoordinateFile, CsvInUtf8AndGb18030)
{
    const auto points = pointsOf(exportedCsv, CoordinateFormat::csv);
    ASSERT_EQ(points.size(), 3u);
    EXPECT_EQ(points[0].name, "王家山");
    EXPECT_EQ(points[0].x, "9959.794");
    EXPECT_EQ(points[0].y, "20022.772");
    EXPECT_EQ(points[0].line, 2);
    EXPECT_EQ(points[1].name, "李庄,\"北\"");
    EXPECT_EQ(points[2].name, "东岭");
    EXPECT_EQ(points[2].x, "11076.173");
    EXPECT_EQ(points[2].line, 5);

    const auto gb = encodeUtf8As(exportedCsv.substr(3), gb18030Encoding);
    ASSERT_TRUE(gb);
    ASSERT_NE(*gb, exportedCsv.substr(3));
    const auto again = pointsOf(*gb, CoordinateFormat::csv);
    ASSERT_EQ(again.size(), 3u);
    EXPECT_EQ(again[1].name, points[1].name);
    // A quoted name may hold a line break; the next record's line counts it.
    const auto broken = pointsOf("\"上\n下\",1,2\nB,3,4\n", CoordinateFormat::csv);
    ASSERT_EQ(broken.size(), 2u);
    EXPECT_EQ(broken[0].name, "上\n下");
    EXPECT_EQ(broken[1].line, 3);
}

TEST(CoordinateFile, CassPutsEastBeforeNorth)
{
    const auto gb = *encodeUtf8As("一号塔,,20760.410,10037.611,0.000\r\nK2,ctl,500.1,300.2\r\n", gb18030Encoding);
    const auto points = pointsOf(gb, CoordinateFormat::cass);
    ASSERT_EQ(points.size(), 2u);
    EXPECT_EQ(points[0].name, "一号塔");
    EXPECT_EQ(points[0].x, "10037.611");
    EXPECT_EQ(points[0].y, "20760.410");
    EXPECT_EQ(points[1].x, "300.2");
    EXPECT_EQ(coordinateFormatOf("/tmp/坐标.DAT"), CoordinateFormat::cass);
    EXPECT_EQ(coordinateFormatOf("a.dat.csv"), CoordinateFormat::csv);
    EXPECT_EQ(coordinateFormatOf("noextension"), CoordinateFormat::csv);
}

TEST(CoordinateFile, RefusalsNameTheirLine)
{
    EXPECT_EQ(refusalOf("点名,X,Y\nA,1,2\nB,3\n", CoordinateFormat::csv).line, 3);
    EXPECT_EQ(refusalOf("A,1,2\nB,abc,3\n", CoordinateFormat::csv).message, "第 2 行:X “abc” 不是一个数。");
    EXPECT_EQ(refusalOf("A,1,2\n\"B,3,4\n", CoordinateFormat::csv).line, 2);
    EXPECT_EQ(refusalOf("A,,1,2\n,,3,4\n", CoordinateFormat::cass).message, "第 2 行:没有点名。");
    EXPECT_EQ(refusalOf("A,1,2\nB,1,2\n\xff\xff\xff,1,2\n", CoordinateFormat::csv).line, 3);
    EXPECT_EQ(refusalOf("A,,1\n", CoordinateFormat::cass).line, 1);
    EXPECT_EQ(refusalOf(std::string(maxCoordinateFileBytes + 1, ' '), CoordinateFormat::csv).line, 0);
    EXPECT_EQ(refusalOf(std::string(maxPointNameBytes + 1, 'x') + ",1,2\n", CoordinateFormat::csv).line, 1);
    std::string many;
    for (std::size_t i = 0; i <= maxKnownPoints; ++i) many += "P,1,2\n";
    EXPECT_EQ(refusalOf(many, CoordinateFormat::csv).line, static_cast<int>(maxKnownPoints) + 1);
}

TEST(CoordinateFile, MangledFilesAreReadOrRefusedOnALine)
{
    std::mt19937 random(99);
    const std::string debris[] = {"\"", ",", "\n", "\r", "\r\n", "\xff", "\x81\x30", "\xEF\xBB\xBF", "１", "e9", ""};
    int refused = 0;
    for (int i = 0; i < 3000; ++i) {
        std::string bytes = i % 4 == 0 ? std::string() : exportedCsv;
        if (i % 4 == 0)
            for (int n = random() % 300; n > 0; --n) bytes += static_cast<char>(random());
        for (int edits = random() % 6; edits > 0 && !bytes.empty(); --edits) {
            const std::size_t at = random() % bytes.size();
            if (random() % 2) bytes.insert(at, debris[random() % std::size(debris)]);
            else bytes.erase(at, 1 + random() % 4);
        }
        const auto format = i % 2 ? CoordinateFormat::csv : CoordinateFormat::cass;
        const auto reading = readCoordinateFile(bytes, format);
        const int lines = static_cast<int>(std::count(bytes.begin(), bytes.end(), '\n')) + 1;
        if (const auto* refusal = std::get_if<CoordinateFileRefusal>(&reading)) {
            ++refused;
            EXPECT_GE(refusal->line, 1);
            EXPECT_LE(refusal->line, lines);
            EXPECT_EQ(refusal->message.rfind("第 " + std::to_string(refusal->line) + " 行:", 0), 0u);
            continue;
        }
        for (const FilePoint& point : std::get<std::vector<FilePoint>>(reading)) {
            EXPECT_FALSE(point.name.empty());
            EXPECT_TRUE(parseNumber(point.x) && parseNumber(point.y)) << point.x << " " << point.y;
            EXPECT_TRUE(kestrane::utf8::isWellFormed(point.name));
            EXPECT_LE(point.line, lines);
        }
    }
    EXPECT_GT(refused, 500);
}

}  // namespace
}  // namespace kestrane
