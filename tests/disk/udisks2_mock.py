'''A small UDisks2 for tests: the drives, block devices and file systems
named in the JSON parameters, with working Mount, Unmount and SetLabel.

parameters: {"volumes": [{"device": "sdb1", "label": "TOVIK",
  "mount": "/path" or "", "model": "Reader", "bus": "usb", "removable": true,
  "readonly": false, "partition": true, "size": 8000000000, "drive": "reader1"}]}
'''

import dbus

BUS_NAME = 'org.freedesktop.UDisks2'
MAIN_OBJ = '/org/freedesktop/UDisks2'
SYSTEM_BUS = False
IS_OBJECT_MANAGER = True

BLOCK = 'org.freedesktop.UDisks2.Block'
DRIVE = 'org.freedesktop.UDisks2.Drive'
FILESYSTEM = 'org.freedesktop.UDisks2.Filesystem'
PARTITION = 'org.freedesktop.UDisks2.Partition'


def path_bytes(text):
    return dbus.Array([dbus.Byte(b) for b in text.encode() + b'\0'], signature='y')


def mount_points(text):
    return dbus.Array([path_bytes(text)] if text else [], signature='ay')


def load(mock, parameters):
    for volume in parameters.get('volumes', []):
        drive_path = MAIN_OBJ + '/drives/' + volume['drive']
        if drive_path not in mock_objects():
            mock.AddObject(drive_path, DRIVE, {
                'Model': volume.get('model', ''),
                'ConnectionBus': volume.get('bus', 'usb'),
                'Removable': dbus.Boolean(volume.get('removable', True)),
                'MediaRemovable': dbus.Boolean(volume.get('removable', True)),
            }, [])
        block_path = MAIN_OBJ + '/block_devices/' + volume['device']
        mount = volume.get('mount', '')
        mock.AddObject(block_path, BLOCK, {
            'Device': path_bytes('/dev/' + volume['device']),
            'Drive': dbus.ObjectPath(drive_path),
            'ReadOnly': dbus.Boolean(volume.get('readonly', False)),
            'Size': dbus.UInt64(volume.get('size', 0)),
            'IdLabel': volume.get('label', ''),
            'IdType': 'vfat',
        }, [])
        block = mock_objects()[block_path]
        block.AddProperties(FILESYSTEM, {'MountPoints': mount_points(mount)})
        block.AddMethods(FILESYSTEM, [
            ('Mount', 'a{sv}', 's',
             'mp = self.Get("%s", "MountPoints")\n'
             'if len(mp) > 0: raise dbus.exceptions.DBusException("mounted", name="org.freedesktop.UDisks2.Error.AlreadyMounted")\n'
             'self.props["%s"]["MountPoints"] = dbus.Array([dbus.Array([dbus.Byte(b) for b in b"%s\\0"], signature="y")], signature="ay")\n'
             'ret = "%s"' % (FILESYSTEM, FILESYSTEM, mount, mount)),
            ('Unmount', 'a{sv}', '',
             'mp = self.Get("%s", "MountPoints")\n'
             'if len(mp) == 0: raise dbus.exceptions.DBusException("not mounted", name="org.freedesktop.UDisks2.Error.NotMounted")\n'
             'self.props["%s"]["MountPoints"] = dbus.Array([], signature="ay")' % (FILESYSTEM, FILESYSTEM)),
            ('SetLabel', 'sa{sv}', '', 'self.props["%s"]["IdLabel"] = args[0]' % BLOCK),
        ])
        if volume.get('partition', True):
            block.AddProperties(PARTITION, {'Number': dbus.UInt32(1)})


def mock_objects():
    import dbusmock.mockobject
    return dbusmock.mockobject.objects
