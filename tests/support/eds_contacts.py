"""Changes the contacts of Evolution Data Server's built-in address book through EDS's own client,
as GNOME Contacts does: add VCARD... (prints the new UIDs), modify VCARD..., remove UID...
Runs on the session bus of its environment."""
import sys

import gi

gi.require_version("EDataServer", "1.2")
gi.require_version("EBook", "1.2")
gi.require_version("EBookContacts", "1.2")
from gi.repository import EBook, EBookContacts, EDataServer  # noqa: E402

registry = EDataServer.SourceRegistry.new_sync(None)
client = EBook.BookClient.connect_sync(registry.ref_builtin_address_book(), 1, None)
action, items = sys.argv[1], sys.argv[2:]
flags = EBookContacts.BookOperationFlags.NONE
if action == "add":
    _, uids = client.add_contacts_sync([EBookContacts.Contact.new_from_vcard(v) for v in items], flags, None)
    print("\n".join(uids))
elif action == "modify":
    client.modify_contacts_sync([EBookContacts.Contact.new_from_vcard(v) for v in items], flags, None)
elif action == "remove":
    client.remove_contacts_sync(items, flags, None)
else:
    sys.exit("unknown action " + action)
