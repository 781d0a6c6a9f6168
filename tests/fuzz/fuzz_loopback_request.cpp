// Fuzz target for the sign-in callback's request reader: a code only from a request that carried
// the state and a code, and every refusal explains itself.
#include "app/google/LoopbackAuthorizationReceiver.h"

#include <QString>

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    using namespace tivren;
    using Kind = LoopbackAuthorizationReceiver::CallbackResult::Kind;
    const QString request = QString::fromUtf8(reinterpret_cast<const char*>(data), qsizetype(size));
    const auto result = LoopbackAuthorizationReceiver::parse(request, QStringLiteral("s7Q-state_1"));
    if (result.kind == Kind::code && (result.value.isEmpty() || !request.contains(QStringLiteral("state="))))
        std::abort();
    if (result.kind != Kind::ignored && result.kind != Kind::code && result.value.isEmpty())
        std::abort();
    return 0;
}
