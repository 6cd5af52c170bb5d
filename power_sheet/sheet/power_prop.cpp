#include "power_sheet/sheet/power_prop.h"

#include "resources/corvessa/resource.h"

CPowerProp::CPowerProp(CorvessaContext context)
    : hibernation(context),
      suspend(context),
      powerMode(context),
      context_(context),
      pages_{&hibernation, &suspend, &powerMode}, sheet_(IDS_SHEET_TITLE, pages_) {}

INT_PTR CPowerProp::DoModal() { return sheet_.DoModal(context_.instance, nullptr); }

HWND CPowerProp::CreateModeless() { return sheet_.CreateModeless(context_.instance, nullptr); }
