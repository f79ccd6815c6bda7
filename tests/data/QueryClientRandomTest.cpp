// Random texts for the query client's splitters and its reply-row parser: a bounded number of
// inputs from a fixed seed plus one from VEXOR_FUZZ_SEED, so a failure can be replayed.
#include "QueryClient.h"
#include "ValueText.h"

#include <cctype>
#include <cstdlib>
#include <gtest/gtest.h>
#include <random>
#include <string>

namespace {

constexpr int kIterations = 20000;

std::vector<unsigned> Seeds() {
    std::vector<unsigned> seeds = {20261207u};
    if (const char* env = std::getenv("VEXOR_FUZZ_SEED"); env && *env)
        seeds.push_back(unsigned(std::strtoul(env, nullptr, 10)));
    return seeds;
}

// Texts made mostly of the characters that matter to the splitter and the parser.
std::string RandomText(std::mt19937& rng, const std::string& alphabet, bool anyByte) {
    std::uniform_int_distribution<int> length(0, 40), pick(0, int(alphabet.size()) - 1), byte(0, 255),
        coin(0, 9);
    std::string text;
    for (int n = length(rng); n > 0; --n)
        text += anyByte && coin(rng) == 0 ? char(byte(rng)) : alphabet[std::size_t(pick(rng))];
    return text;
}

// True when the statement has a ";" that is not inside a single-quoted literal.
bool SemicolonOutsideLiteral(const std::string& statement) {
    bool inLiteral = false;
    for (char c : statement) {
        if (c == '\'') inLiteral = !inLiteral;
        if (c == ';' && !inLiteral) return true;
    }
    return false;
}

std::string WithoutBlanks(const std::string& text) {
    std::string out;
    for (char c : text)
        if (!std::isspace(static_cast<unsigned char>(c))) out += c;
    return out;
}

TEST(QueryClientRandom, SplittersKeepLiteralsWholeAndAgreeWithEachOther) {
    const std::string alphabet = "';; a'\r\nx-/*\"\\";
    for (unsigned seed : Seeds()) {
        std::mt19937 rng(seed);
        for (int i = 0; i < kIterations; ++i) {
            std::string text = RandomText(rng, alphabet, true);
            std::vector<CString> query = CQueryClient::SplitForQuery(CString(text));
            std::vector<CString> execute = CQueryClient::SplitForExecute(CString(text));
            ASSERT_EQ(query.size(), execute.size()) << "seed " << seed << " text " << text;
            std::string joined;
            for (std::size_t k = 0; k < query.size(); ++k) {
                const std::string& q = query[k].str();
                const std::string& e = execute[k].str();
                ASSERT_FALSE(SemicolonOutsideLiteral(q)) << "seed " << seed << " text " << text;
                // Execute's statement is Query's with its ";" kept.
                ASSERT_TRUE(e == q || e == q + ";") << "seed " << seed << " text " << text;
                joined += e;
            }
            // Nothing is lost but blanks and a remainder of one character.
            std::string all = WithoutBlanks(text), kept = WithoutBlanks(joined);
            ASSERT_EQ(all.compare(0, kept.size(), kept), 0) << "seed " << seed << " text " << text;
            ASSERT_LE(all.size() - kept.size(), 1u) << "seed " << seed << " text " << text;
        }
    }
}

TEST(QueryClientRandom, EscapedCellsParseBackToTheOriginal) {
    const std::string alphabet = ",()\\ab 阴，（）;'";
    for (unsigned seed : Seeds()) {
        std::mt19937 rng(seed);
        std::uniform_int_distribution<int> cellCount(0, 6);
        CQueryClient client;
        for (int i = 0; i < kIterations; ++i) {
            std::vector<std::string> cells;
            std::string row;
            for (int n = cellCount(rng); n > 0; --n) {
                std::string cell = RandomText(rng, alphabet, true);
                for (char& c : cell)
                    if (c == '\0') c = '0'; // cells are texts of the database, never holding NUL
                kes::AppendText(row, cell);
                row += ',';
                cells.push_back(std::move(cell));
            }
            CStringArray parsed;
            client.ParseRow(row, parsed);
            std::vector<std::string> got;
            for (const CString& c : parsed)
                got.push_back(c.str());
            ASSERT_EQ(got, cells) << "seed " << seed << " row " << row;
            ASSERT_EQ(kes::SplitReplyRow(row), cells) << "seed " << seed << " row " << row;
            ASSERT_EQ(kes::IsStatusText(row), false);
        }
    }
}

TEST(QueryClientRandom, AnyBytesParseWithoutHarm) {
    const std::string alphabet = ",()\\x-: ";
    for (unsigned seed : Seeds()) {
        std::mt19937 rng(seed);
        CQueryClient client;
        CDWordArray cut{0, 2};
        for (int i = 0; i < kIterations; ++i) {
            std::string row = RandomText(rng, alphabet, true);
            // The cut and the time shift run on whatever cells come out.
            client.m_pCutColumns = i % 2 ? &cut : nullptr;
            client.m_nColumnCount = 3;
            client.m_nCutState = 0;
            client.m_timeColumn.m_nColumn = i % 3 ? 2 : -1;
            client.m_timeColumn.m_strType = "日";
            CStringArray parsed;
            client.ParseRow(row, parsed);
            std::size_t commas = 0;
            for (char c : row)
                commas += c == ',';
            ASSERT_LE(std::size_t(parsed.GetSize()), commas) << "seed " << seed;
        }
    }
}

} // namespace
