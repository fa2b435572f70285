// What the random generator will answer, for tests that predict the draws.
#pragma once

#include <cstdlib>
#include <vector>

// The first n numbers a seed gives; the generator is left seeded again so
// the code under test sees the same numbers.
inline std::vector<int> draws_for(unsigned seed, int n) {
  std::srand(seed);
  std::vector<int> v;
  for (int i = 0; i < n; i++) v.push_back(std::rand());
  std::srand(seed);
  return v;
}
