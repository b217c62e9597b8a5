// Every address the program opens, in one place. The maker's host is set when the program is
// built (LENTORA_UPDATE_HOST); the update check asks the same host.
#pragma once
#include <string>

namespace lentora::links {

inline std::wstring Site(const std::wstring& path) {
    const char* host = LENTORA_UPDATE_HOST;
    return L"http://" + std::wstring(host, host + std::char_traits<char>::length(host)) + path;
}

inline std::wstring Forum() { return Site(L"/"); }
inline std::wstring Download(bool english) { return Site(english ? L"/en/downloads/lentora/" : L"/downloads/lentora/"); }
inline std::wstring Donate(bool english) { return Site(english ? L"/en/donate-html/" : L"/donate-html/"); }
inline std::wstring Skins() { return Site(L"/skins/"); }
inline std::wstring SkinLayer() { return Site(L"/components/skins/"); }
inline std::wstring LogComponent() { return Site(L"/components/logfile/"); }
inline std::wstring Icons() { return Site(L"/components/icons/"); }
inline constexpr const wchar_t* kXmlParser = L"https://pugixml.org/";
// The maker's payment details, set when the program is built; a build without them shows none.
inline constexpr const wchar_t* kPaymentCard = L"" LENTORA_PAYMENT_CARD;
inline constexpr const wchar_t* kPaymentWallets = L"" LENTORA_PAYMENT_WALLETS;
// The payment service of the Donate page's left block, with the maker's card.
inline std::wstring DirectPayment() { return std::wstring(L"https://payments.example/pay?account=") + kPaymentCard; }

}  // namespace lentora::links
