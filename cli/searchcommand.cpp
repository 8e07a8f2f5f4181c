// `search USERID`: finds the mixer that owns a user ID by the UDP broadcast
// search and prints its address. Needs no link to a mixer; the search goes to
// ZKVR340A_SEARCH_ADDRESS / _PORT / _REPLY_PORT when they are set.

#include "cli/clicontext.h"
#include "link/search/mixersearch.h"
#include "link/search/searchwire.h"

#include "base/strings.h"

namespace {
constexpr int SearchUsage = 9780;
constexpr int BadUserId = 9775;
} // namespace

QString checkSearchArgs(const QStringList &args)
{
    if (args.size() != 1)
        return str(SearchUsage);
    if (!isValidUserId(args.first()))
        return str(BadUserId);
    return {};
}

CliExit runSearchCommand(CliContext &context, const QStringList &args)
{
    const SearchEndpoints endpoints = searchEndpointsFromEnvironment();
    MixerSearch search(context.clock(), endpoints);
    const SearchResult result = search.run(args.first());
    if (result.outcome != SearchOutcome::Found) {
        context.err() << searchFailureText(result, endpoints) << '\n';
        return CliExit::NoMixer;
    }
    context.out() << result.address << '\n';
    return CliExit::Ok;
}
