// Forward selection on 0/1 columns: every inner product is a population count, and the fit is
// kept as an LDL' factorisation of the Gram matrix of [1, suspects], so that no square root
// and no library function is needed. For a candidate c with u = L^-1 (its products with the
// basis), its residual norm is n1 - sum u_i^2 / d_i and its product with the residual of y is
// c'y - sum u_i u_y,i / d_i.

#include "engine/ForwardSelection.h"

#include <array>
#include <bit>
#include <limits>

#include "engine/PopulationCounts.h"

namespace {

struct CriticalRow {
    int degrees;
    double value;
};

// Student's t at a two-sided 0.01, rounded up in the sixth decimal (computed with mpmath's
// regularised incomplete beta function).
constexpr std::array<CriticalRow, 72> CriticalValues{{
    {1, 63.656742},   {2, 9.924844},    {3, 5.840910},   {4, 4.604095},   {5, 4.032143},
    {6, 3.707429},    {7, 3.499484},    {8, 3.355388},   {9, 3.249836},   {10, 3.169273},
    {11, 3.105807},   {12, 3.054540},   {13, 3.012276},  {14, 2.976843},  {15, 2.946713},
    {16, 2.920782},   {17, 2.898231},   {18, 2.878441},  {19, 2.860935},  {20, 2.845340},
    {21, 2.831360},   {22, 2.818757},   {23, 2.807336},  {24, 2.796940},  {25, 2.787436},
    {26, 2.778715},   {27, 2.770683},   {28, 2.763263},  {29, 2.756386},  {30, 2.749996},
    {31, 2.744042},   {32, 2.738482},   {33, 2.733277},  {34, 2.728395},  {35, 2.723806},
    {36, 2.719485},   {37, 2.715409},   {38, 2.711558},  {39, 2.707914},  {40, 2.704460},
    {41, 2.701182},   {42, 2.698067},   {43, 2.695103},  {44, 2.692279},  {45, 2.689586},
    {46, 2.687014},   {47, 2.684556},   {48, 2.682205},  {49, 2.679952},  {50, 2.677794},
    {51, 2.675723},   {52, 2.673734},   {53, 2.671823},  {54, 2.669985},  {55, 2.668216},
    {56, 2.666513},   {57, 2.664871},   {58, 2.663287},  {59, 2.661759},  {60, 2.660284},
    {70, 2.647905},   {80, 2.638691},   {90, 2.631566},  {100, 2.625891}, {120, 2.617422},
    {150, 2.609003},  {200, 2.600635},  {300, 2.592317}, {500, 2.585698}, {1000, 2.580755},
    {2000, 2.578290}, {5000, 2.576813},
}};

// The growing fit: basis 0 is the intercept, then the suspects in the order chosen.
class Fit {
public:
    explicit Fit(const SuspectProblem& problem) : m_problem(problem) {
        const int words = problem.wordCount;
        const std::uint64_t* in = problem.observations.data();
        m_count = OnesIn(in, in, words);
        m_ySquares =
            OnesIn(problem.worse.data(), in, words) + OnesIn(problem.better.data(), in, words);
        const auto columns = static_cast<std::size_t>(problem.columnCount);
        m_eaten.resize(columns);
        m_product.resize(columns);
        m_u.assign(columns, {});
        m_usable.assign(columns, true);
        for (std::size_t c = 0; c < columns; ++c) {
            const std::uint64_t* column = Column(static_cast<int>(c));
            m_eaten[c] = OnesIn(column, in, words);
            m_product[c] = OnesIn(column, problem.worse.data(), in, words) -
                           OnesIn(column, problem.better.data(), in, words);
            m_usable[c] = m_eaten[c] >= FewestPairsOfACandidate;
        }
        // The intercept: its products are the counts themselves.
        m_d.push_back(m_count);
        m_lower.push_back({});
        m_uY.push_back(OnesIn(problem.worse.data(), in, words) -
                       OnesIn(problem.better.data(), in, words));
        for (std::size_t c = 0; c < columns; ++c) {
            m_u[c].reserve(MostSuspects + 1);  // one allocation a column, not one a step
            m_u[c].push_back(m_eaten[c]);
        }
    }

    int BasisSize() const { return static_cast<int>(m_d.size()); }

    double ResidualSquares() const {
        double rss = m_ySquares;
        for (std::size_t i = 0; i < m_d.size(); ++i) rss -= m_uY[i] * m_uY[i] / m_d[i];
        return rss;
    }

    // The column with the largest t squared that passes the table, or -1.
    int Best() const {
        const double rss = ResidualSquares();
        const double nothingLeft = 1e-9 * (m_ySquares + 1.0);
        if (rss <= nothingLeft) return -1;
        const int degrees = m_count - BasisSize() - 1;
        if (degrees < 1) return -1;
        const double critical = StudentCriticalValue(degrees);
        int best = -1;
        double bestSquare = 0.0;
        for (std::size_t c = 0; c < m_usable.size(); ++c) {
            if (!m_usable[c]) continue;
            const std::vector<double>& u = m_u[c];
            double residualNorm = m_eaten[c];
            double residualProduct = m_product[c];
            for (std::size_t i = 0; i < u.size(); ++i) {
                residualNorm -= u[i] * u[i] / m_d[i];
                residualProduct -= u[i] * m_uY[i] / m_d[i];
            }
            if (residualNorm <= 1e-9 * m_eaten[c]) continue;  // singular with the suspects
            const double explained = residualProduct * residualProduct / residualNorm;
            const double rssAfter = rss - explained;
            const double tSquare = rssAfter <= nothingLeft ? std::numeric_limits<double>::infinity()
                                                           : explained / (rssAfter / degrees);
            if (best < 0 || tSquare > bestSquare) {  // strictly: ties go to the earlier column
                best = static_cast<int>(c);
                bestSquare = tSquare;
            }
        }
        return best >= 0 && bestSquare > critical * critical ? best : -1;
    }

    void Add(int column) {
        const auto chosen = static_cast<std::size_t>(column);
        const std::vector<double> u = m_u[chosen];
        std::vector<double> lower(u.size());
        double d = m_eaten[chosen];
        double uY = m_product[chosen];
        for (std::size_t i = 0; i < u.size(); ++i) {
            lower[i] = u[i] / m_d[i];
            d -= u[i] * lower[i];
            uY -= lower[i] * m_uY[i];
        }
        m_d.push_back(d);
        m_lower.push_back(lower);
        m_uY.push_back(uY);
        m_columns.push_back(column);
        m_usable[chosen] = false;
        // The new suspect's pairs in use, once, rather than masked again for every column.
        const std::uint64_t* basis = Column(column);
        BitWords basisInUse(static_cast<std::size_t>(m_problem.wordCount));
        for (std::size_t w = 0; w < basisInUse.size(); ++w)
            basisInUse[w] = basis[w] & m_problem.observations[w];
        for (std::size_t c = 0; c < m_usable.size(); ++c) {
            if (!m_usable[c]) continue;
            std::vector<double>& uc = m_u[c];
            double value =
                OnesIn(Column(static_cast<int>(c)), basisInUse.data(), m_problem.wordCount);
            for (std::size_t i = 0; i < lower.size(); ++i) value -= lower[i] * uc[i];
            uc.push_back(value);
        }
    }

    // The coefficients of the suspects (without the intercept): back substitution.
    std::vector<Suspect> Weights() const {
        const std::size_t size = m_d.size();
        std::vector<double> beta(size);
        for (std::size_t j = size; j-- > 0;) {
            double value = m_uY[j] / m_d[j];
            for (std::size_t i = j + 1; i < size; ++i) value -= m_lower[i][j] * beta[i];
            beta[j] = value;
        }
        std::vector<Suspect> suspects;
        for (std::size_t j = 1; j < size; ++j) suspects.push_back({m_columns[j - 1], beta[j]});
        return suspects;
    }

private:
    const std::uint64_t* Column(int column) const {
        return m_problem.columns +
               static_cast<std::size_t>(column) * static_cast<std::size_t>(m_problem.wordCount);
    }

    const SuspectProblem& m_problem;
    int m_count = 0;
    double m_ySquares = 0.0;
    std::vector<int> m_eaten;
    std::vector<int> m_product;            // c'y
    std::vector<std::vector<double>> m_u;  // L^-1 (products of c with the basis)
    std::vector<bool> m_usable;
    std::vector<double> m_d;                   // D of LDL'
    std::vector<std::vector<double>> m_lower;  // rows of L below the diagonal
    std::vector<double> m_uY;                  // L^-1 (products of y with the basis)
    std::vector<int> m_columns;
};

}  // namespace

double StudentCriticalValue(int degreesOfFreedom) {
    double value = CriticalValues.front().value;
    for (const CriticalRow& row : CriticalValues)
        if (row.degrees <= degreesOfFreedom) value = row.value;
    return value;
}

std::vector<Suspect> FindSuspects(const SuspectProblem& problem) {
    Fit fit(problem);
    while (fit.BasisSize() - 1 < MostSuspects) {
        const int best = fit.Best();
        if (best < 0) break;
        fit.Add(best);
    }
    return fit.Weights();
}
