#include "password.hpp"

#include <chrono>
#include <cstdint>
#include <random>

#include "md5.hpp"

namespace vantrel::storage {
namespace {

// A generator seeded afresh from the high-resolution clock mixed with the
// system's entropy source.
std::mt19937_64 FreshGenerator() {
  std::random_device entropy;
  const auto now = static_cast<std::uint64_t>(std::chrono::high_resolution_clock::now().time_since_epoch().count());
  std::seed_seq seed{static_cast<std::uint32_t>(now), static_cast<std::uint32_t>(now >> 32), entropy(), entropy(),
                     entropy(), entropy()};
  return std::mt19937_64(seed);
}

// A number uniform in [0, 1): 53 random bits, so 1.0 is never reached.
double UnitInterval(std::mt19937_64& generator) {
  return static_cast<double>(generator() >> 11) * (1.0 / 9007199254740992.0);
}

char16_t SaltLetter(double r) { return static_cast<char16_t>(u'a' + static_cast<int>(26.0 * r)); }

}  // namespace

std::u16string MakeSaltedPassword(std::u16string_view password) {
  std::mt19937_64 generator = FreshGenerator();
  std::u16string salt;
  salt.push_back(SaltLetter(UnitInterval(generator)));
  salt.push_back(SaltLetter(UnitInterval(generator)));
  std::u16string salted = salt;
  salted.append(password);
  return salt + MD5Hex(salted);
}

bool CheckSaltedPassword(std::u16string_view stored, std::u16string_view password) {
  const std::u16string_view salt = stored.substr(0, 2);
  std::u16string salted(salt);
  salted.append(password);
  return stored == std::u16string(salt) + MD5Hex(salted);
}

}  // namespace vantrel::storage
