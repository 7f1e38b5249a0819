# Sourced by sign_rdp.sh and verify_rdp.sh: reading a connection file (UTF-16LE after a
# byte-order mark) into its lines, and the settings a signature covers.

# The settings a signature covers, in the order the signature lists them, each as
# "line prefix|name in signscope". A prefix matches whatever the case of the line.
rdp_secure_settings=(
    "full address:s:|Full Address"
    "alternate full address:s:|Alternate Full Address"
    "pcb:s:|PCB"
    "use redirection server name:i:|Use Redirection Server Name"
    "server port:i:|Server Port"
    "negotiate security layer:i:|Negotiate Security Layer"
    "enablecredsspsupport:i:|EnableCredSspSupport"
    "disableconnectionsharing:i:|DisableConnectionSharing"
    "autoreconnection enabled:i:|AutoReconnection Enabled"
    "gatewayhostname:s:|GatewayHostname"
    "gatewayusagemethod:i:|GatewayUsageMethod"
    "gatewayprofileusagemethod:i:|GatewayProfileUsageMethod"
    "gatewaycredentialssource:i:|GatewayCredentialsSource"
    "support url:s:|Support URL"
    "promptcredentialonce:i:|PromptCredentialOnce"
    "require pre-authentication:i:|Require pre-authentication"
    "pre-authentication server address:s:|Pre-authentication server address"
    "alternate shell:s:|Alternate Shell"
    "shell working directory:s:|Shell Working Directory"
    "remoteapplicationprogram:s:|RemoteApplicationProgram"
    "remoteapplicationexpandworkingdir:s:|RemoteApplicationExpandWorkingdir"
    "remoteapplicationmode:i:|RemoteApplicationMode"
    "remoteapplicationguid:s:|RemoteApplicationGuid"
    "remoteapplicationname:s:|RemoteApplicationName"
    "remoteapplicationicon:s:|RemoteApplicationIcon"
    "remoteapplicationfile:s:|RemoteApplicationFile"
    "remoteapplicationfileextensions:s:|RemoteApplicationFileExtensions"
    "remoteapplicationcmdline:s:|RemoteApplicationCmdLine"
    "remoteapplicationexpandcmdline:s:|RemoteApplicationExpandCmdLine"
    "prompt for credentials:i:|Prompt For Credentials"
    "authentication level:i:|Authentication Level"
    "audiomode:i:|AudioMode"
    "redirectdrives:i:|RedirectDrives"
    "redirectprinters:i:|RedirectPrinters"
    "redirectcomports:i:|RedirectCOMPorts"
    "redirectsmartcards:i:|RedirectSmartCards"
    "redirectposdevices:i:|RedirectPOSDevices"
    "redirectclipboard:i:|RedirectClipboard"
    "devicestoredirect:s:|DevicesToRedirect"
    "drivestoredirect:s:|DrivesToRedirect"
    "loadbalanceinfo:s:|LoadBalanceInfo"
    "redirectdirectx:i:|RedirectDirectX"
    "rdgiskdcproxy:i:|RDGIsKDCProxy"
    "kdcproxyname:s:|KDCProxyName"
    "eventloguploadaddress:s:|EventLogUploadAddress"
)

# rdp_read FILE: fills rdp_lines (each line without its line end) and rdp_ends (the end that
# followed it: CR LF, or whatever else the file had, nothing after a last line without one).
# Fails on a file that is not UTF-16LE after a byte-order mark, or that holds a NUL character.
rdp_read() {
    local file=$1 text line end
    [ "$(head -c 2 "$file" | od -An -tx1 | tr -d ' \n')" = "fffe" ] ||
        { echo "$file: not UTF-16LE with a byte-order mark" >&2; return 1; }
    text=$(mktemp)
    if ! tail -c +3 "$file" | iconv -f UTF-16LE -t UTF-8 >"$text"; then
        rm -f "$text"
        echo "$file: not valid UTF-16LE" >&2
        return 1
    fi
    if [ "$(tr -d '\000' <"$text" | wc -c)" != "$(wc -c <"$text")" ]; then
        rm -f "$text"
        echo "$file: holds a NUL character" >&2
        return 1
    fi
    rdp_lines=()
    rdp_ends=()
    while true; do
        if IFS= read -r line; then
            end=$'\n'
        elif [ -n "$line" ]; then
            end=""
        else
            break
        fi
        if [[ $line == *$'\r' ]]; then
            line=${line%$'\r'}
            end=$'\r'$end
        fi
        rdp_lines+=("$line")
        rdp_ends+=("$end")
    done <"$text"
    rm -f "$text"
}

# rdp_write FILE: writes rdp_lines with their rdp_ends back as UTF-16LE after a byte-order mark.
rdp_write() {
    local file=$1 i
    {
        printf '\xff\xfe'
        for i in "${!rdp_lines[@]}"; do
            printf '%s%s' "${rdp_lines[i]}" "${rdp_ends[i]}"
        done | iconv -f UTF-8 -t UTF-16LE
    } >"$file"
}

# rdp_setting_index PREFIX: the index of the first line that starts with PREFIX (any case),
# or nothing.
rdp_setting_index() {
    local prefix=${1,,} i
    for i in "${!rdp_lines[@]}"; do
        if [[ ${rdp_lines[i],,} == "$prefix"* ]]; then
            echo "$i"
            return
        fi
    done
}

# rdp_content OUT SIGNSCOPE INDEX...: writes what a signature covers: the lines at INDEX...
# and then the signscope line, each followed by CR LF, as UTF-16LE, then one NUL character.
rdp_content() {
    local out=$1 signscope=$2 i
    shift 2
    {
        for i in "$@"; do
            printf '%s\r\n' "${rdp_lines[i]}"
        done
        printf '%s\r\n' "$signscope"
    } | iconv -f UTF-8 -t UTF-16LE >"$out"
    printf '\0\0' >>"$out"
}
