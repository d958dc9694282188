// The platform services a screen may use, bundled so that one reference can be handed down.
#pragma once

#include "platform/alerts.h"
#include "platform/canvas.h"
#include "platform/feedback.h"
#include "platform/http_fetch.h"
#include "platform/notification_center.h"
#include "platform/run_loop.h"
#include "platform/storage.h"
#include "platform/url_opener.h"

struct Platform {
    NotificationCenter& notifications;
    RunLoop& runLoop;
    Storage& storage;
    Alerts& alerts;
    HttpFetch& http;
    UrlOpener& urls;
    Feedback& feedback;
};
