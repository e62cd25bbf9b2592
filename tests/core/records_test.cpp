#include <gtest/gtest.h>

#include "diary/GastrologDoc.h"
#include "diary/PseudoRandom.h"

TEST(PseudoRandom, FirstDrawsAfterSeedingMatchTheStoredNetworks) {
    PseudoRandom random(12345);
    EXPECT_EQ(random.Draw(), 7584);
    EXPECT_EQ(random.Draw(), 19164);
    EXPECT_EQ(random.Draw(), 25795);
    EXPECT_EQ(random.Draw(), 22125);
    EXPECT_EQ(random.Draw(), 5828);
}

TEST(Records, NewFoodsAndSymptomsStartWithIdenticalSeededWeights) {
    const CFood first("Tea"), second("Coffee");
    const CSymptom symptom("Headache");
    EXPECT_EQ(first.m_weight, second.m_weight);
    EXPECT_EQ(first.m_weight, symptom.m_weight);
    const double expected[] = {-0.2685476, 0.0848567, 0.2872249, 0.1752220, -0.3221381};
    for (int k = 0; k < 5; ++k) EXPECT_NEAR(first.m_weight[k], expected[k], 1e-7);
    EXPECT_EQ(first.m_weight[0], static_cast<float>(7584 * 3.0518507e-05 - 0.5));
    EXPECT_EQ(first.m_history, std::string(49, 'n') + "y");
    EXPECT_EQ(symptom.m_history, std::string(50, 'n'));
}
