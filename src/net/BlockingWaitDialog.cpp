#include "net/BlockingWaitDialog.h"

#include "net/HttpClient.h"

WaitResult runWaitRequest(const WaitRequest& request)
{
    HttpRequest http { splitRequestUrl(request.url) };
    if (!request.postData.empty())
        http.formBody = request.postData;
    http.carriesSecret = request.carriesSecret;
    WaitResult result;
    HttpOutput output;
    if (request.toFile)
        output.file = request.outputFile;
    else
        output.text = &result.response;
    const HttpExchange exchange = performHttpRequest(http, output);
    result.succeeded = exchange.answered();
    result.complete = exchange.complete;
    result.status = exchange.status;
    result.redirectRefused = exchange.failure == HttpFailure::RedirectRefused;
    return result;
}
