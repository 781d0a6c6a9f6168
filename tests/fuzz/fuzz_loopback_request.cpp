// Fuzz target for the sign-in callback's request reader: whatever a local process sends to the
// loopback port must give one of the four answers, never a crash, and a code only when the
// request carried the expected state and a code.
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
        std::abort(); // every refusal explains itself
    return 0;
}
